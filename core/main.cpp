#include "copydatawarning.h"
#include "inputforwarding.h"
#include "qtsinglecoreapplication.h"
#include "widget.h"

#include "input/inputhooks.h"

#include <QDir>

int main(int argc, char *argv[])
{
    QtSingleCoreApplication app(argc, argv);
    if (app.isRunning()) {
        app.sendMessage(QString(), 5000);
        return 1;
    }

    // Every path of the program is "./modules/..." beside the executable.
    const QString programPath = QCoreApplication::applicationFilePath();
    QDir::setCurrent(programPath.left(programPath.lastIndexOf(QLatin1Char('/'))));

    Widget window;
    QObject::connect(&app, &QtSingleCoreApplication::messageReceived, &window,
                     &Widget::receiveMessage);

    InputHooks hooks;
    hooks.installInputHooks(); // without global input the program runs on
    hooks.setKeyboardCallback(forwardKeyboardToView, &window);
    hooks.setMouseCallback(forwardMouseToView, &window);
    setCopyDataHandler(showCopyDataWarning, &app, &window);

    window.showNormal();
    window.checkDevice();
    const int exitCode = app.exec();

    hooks.removeInputHooks();
    return exitCode;
}

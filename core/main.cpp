#include "core/copydatawarning.h"
#include "core/inputforwarding.h"
#include "core/qtsinglecoreapplication.h"
#include "core/startuptimeline.h"
#include "core/userdata.h"
#include "core/widget.h"

#include "input/inputhooks.h"

#include <QDir>

int main(int argc, char *argv[])
{
    kairo::startup::mark("main");
    QtSingleCoreApplication app(argc, argv);
    kairo::startup::mark("application");
    // The desktop's autostart entry starts Kairo so; it is the only option.
    const bool autostarted = app.arguments().mid(1).contains(QStringLiteral("--autostart"));
    if (app.isRunning()) {
        // The session starting Kairo again is no reason to bring it up.
        if (!autostarted)
            app.sendMessage(QString(), 5000);
        return 1;
    }

    // Every path of the program is "./modules/..." beside the executable, or
    // beside the user's own copy of them when the program's are read-only.
    const QString programPath = QCoreApplication::applicationFilePath();
    QDir::setCurrent(kairo::userdata::workingFolder(
        programPath.left(programPath.lastIndexOf(QLatin1Char('/')))));

    Widget window;
    kairo::startup::mark("window");
    QObject::connect(&app, &QtSingleCoreApplication::messageReceived, &window,
                     &Widget::receiveMessage);

    InputHooks hooks;
    hooks.installInputHooks(); // without global input the program runs on
    hooks.setKeyboardCallback(forwardKeyboardToView, &window);
    hooks.setMouseCallback(forwardMouseToView, &window);
    setCopyDataHandler(showCopyDataWarning, &app, &window);

    window.setStartInBackground(autostarted);
    window.showAtStart();
    kairo::startup::mark("shown");
    window.checkDevice();
    kairo::startup::mark("device-checked");
    const int exitCode = app.exec();

    hooks.removeInputHooks();
    return exitCode;
}

#include "core/commandline.h"
#include "core/copydatawarning.h"
#include "core/inputforwarding.h"
#include "core/qtsinglecoreapplication.h"
#include "core/scenerenderer.h"
#include "core/startuptimeline.h"
#include "core/userdata.h"
#include "core/widget.h"

#include "input/inputhooks.h"

#include <QDir>
#include <QLoggingCategory>

#include <algorithm>
#include <cstdio>

int main(int argc, char *argv[])
{
    const std::vector<std::string> args(argv + std::min(argc, 1), argv + argc);
    // Answered before Qt starts: printing a version needs no display.
    if (const auto answer = kairo::commandline::infoAnswer(args, KAIRO_VERSION)) {
        std::fputs(answer->text.c_str(), stdout);
        return answer->exitCode;
    }
    // QT_LOGGING_RULES is read after these, so it may still turn any on.
    QLoggingCategory::setFilterRules(kairo::commandline::wantsVerbose(args)
                                         ? QStringLiteral("kairo*.debug=true")
                                         : QStringLiteral("qml.debug=false\njs.debug=false"));
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

    kairo::scenerenderer::choose();
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

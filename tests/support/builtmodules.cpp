#include "tests/support/builtmodules.h"

#include <QProcess>
#include <QStringList>

bool copyBuiltModules(const QString &into)
{
    QProcess cp;
    cp.start(QStringLiteral("cp"),
             {QStringLiteral("-r"), QStringLiteral(KAIRO_BIN_DIR "/modules"), into});
    return cp.waitForFinished(10000) && cp.exitStatus() == QProcess::NormalExit
           && cp.exitCode() == 0;
}

#pragma once

// A fresh copy of the built modules/ tree (KAIRO_BIN_DIR comes from the test
// target), for tests that run the program's code on files of their own.
#include <QProcess>
#include <QString>
#include <QStringList>

inline bool copyBuiltModules(const QString &into)
{
    QProcess cp;
    cp.start(QStringLiteral("cp"),
             {QStringLiteral("-r"), QStringLiteral(KAIRO_BIN_DIR "/modules"), into});
    return cp.waitForFinished(10000) && cp.exitStatus() == QProcess::NormalExit
           && cp.exitCode() == 0;
}

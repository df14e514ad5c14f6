#pragma once

// Shared by the fuzz targets: the Qt application object, a quiet log, and a
// scratch folder per input.

#include <QAtomicInt>
#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace kairo::fuzz {

// A broken promise of the code under test: the run stops here as on a crash.
[[noreturn]] inline void finding(const char *what)
{
    std::fprintf(stderr, "finding: %s\n", what);
    std::abort();
}

inline void dropMessage(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "qFatal: %s\n", qPrintable(message));
        std::abort();
    }
}

// Once per process: the application object the queued calls need, and a log
// that does not slow every input down.
inline void setUpProcess()
{
    static const bool done = [] {
        static int argc = 1;
        static char name[] = "kairo-fuzz";
        static char *argv[] = {name, nullptr};
        new QCoreApplication(argc, argv);
        qInstallMessageHandler(dropMessage);
        return true;
    }();
    (void)done;
}

// The folder the inputs go to, removed when the run ends.
inline QString scratchRoot()
{
    static const QString root = [] {
        setUpProcess();
        static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/kairo-fuzz-XXXXXX"));
        if (!dir.isValid())
            finding("no scratch folder");
        return dir.path();
    }();
    return root;
}

// A folder of its own for one input. QSettings caches a file by its path,
// size and time to the millisecond, so a path used for an earlier input could
// be answered from that cache; no path is ever used twice.
class ScratchFolder
{
public:
    ScratchFolder()
    {
        static QAtomicInt counter;
        folder = scratchRoot() + QStringLiteral("/%1").arg(counter.fetchAndAddRelaxed(1));
        if (!QDir().mkpath(folder))
            finding("cannot make a scratch folder");
    }
    ~ScratchFolder() { QDir(folder).removeRecursively(); }
    ScratchFolder(const ScratchFolder &) = delete;
    ScratchFolder &operator=(const ScratchFolder &) = delete;

    const QString &path() const { return folder; }

    // Writes the bytes to <folder>/<relative>, making its folders; the full path.
    QString write(const QString &relative, const QByteArray &bytes) const
    {
        const QString full = folder + QLatin1Char('/') + relative;
        QDir().mkpath(full.section(QLatin1Char('/'), 0, -2));
        QFile file(full);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush())
            finding("cannot write the input file");
        return full;
    }

    QString write(const QString &relative, const uint8_t *data, size_t size) const
    {
        return write(relative, QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    }

private:
    QString folder;
};

} // namespace kairo::fuzz

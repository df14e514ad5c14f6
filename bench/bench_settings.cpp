// What one key-matrix operation adds to its fixed pauses on the disk: the
// mode and both matrices (33 keys) written to the profile, as one batch and,
// for comparison, one durable replace per key. Printed, not asserted: disks
// differ too much for a time limit.

#include "settings/settingsstore.h"

#include <QElapsedTimer>
#include <QtTest>

#include <algorithm>
#include <optional>

namespace {

// The operation's own pauses: 31 exchanges and their settle times.
constexpr double fixedPausesMs = 496.0;

double medianMs(QList<double> samples)
{
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

} // namespace

class BenchSettings : public QObject
{
    Q_OBJECT

private:
    // A folder on the build's own disk; /tmp may be memory.
    QTemporaryDir dir{QDir::currentPath() + QStringLiteral("/bench-settings-XXXXXX")};

    double keyMatrixWrites(SettingsStore &store, bool batched, int round)
    {
        QElapsedTimer clock;
        clock.start();
        std::optional<SettingsStore::Batch> batch;
        if (batched)
            batch.emplace(store);
        store.setData("mouse/mouseMode", round % 2);
        for (int b = 0; b < 16; ++b) {
            store.setDataList(QStringLiteral("mouseKeyMatrix/%1").arg(b), {0, 0, 0xf0 + b, round});
            store.setDataList(QStringLiteral("mouseKeyMatrix2/%1").arg(b), {0, 0, 0xf0 + b, round});
        }
        batch.reset();
        return clock.nsecsElapsed() / 1e6;
    }

private slots:
    void keyMatrixOnDisk()
    {
        QVERIFY(dir.isValid());
        QDir().mkpath(dir.path() + "/modules/setting");
        SettingsStore store(dir.path() + "/modules");
        QList<double> batched, perKey;
        for (int round = 0; round < 15; ++round) {
            batched << keyMatrixWrites(store, true, round);
            perKey << keyMatrixWrites(store, false, round);
        }
        const double one = medianMs(batched);
        const double each = medianMs(perKey);
        qInfo("key matrix on disk: one batch %.2f ms (%.2f %% of the %.0f ms of pauses), "
              "a replace per key %.2f ms (%.2f %%)",
              one, 100 * one / fixedPausesMs, fixedPausesMs, each, 100 * each / fixedPausesMs);
        QVERIFY(QFile::exists(dir.path() + "/modules/setting/p1.bin"));
    }
};

QTEST_GUILESS_MAIN(BenchSettings)
#include "bench_settings.moc"

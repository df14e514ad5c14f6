#include "operations/dpiencoding.h"

namespace DpiEncoding {

namespace {

struct StepTable {
    int step;
    int entries;
    uchar firstCode;
};

// Stepped thresholds: a value takes the code of the first threshold that is
// not below it; above the last threshold it has no code (0).
uchar lookUp(const StepTable &table, int dpi)
{
    for (int i = 0; i < table.entries; ++i) {
        if (dpi <= table.step * (i + 1))
            return uchar(table.firstCode + i);
    }
    return 0;
}

} // namespace

uchar encode(const QString &sensorType, int dpi, bool *needsHighBit)
{
    if (needsHighBit)
        *needsHighBit = false;
    if (sensorType == QLatin1String("3360"))
        return uchar(dpi / 100 - 1);
    if (sensorType == QLatin1String("3050"))
        return lookUp({250, 8, 1}, dpi);
    if (sensorType == QLatin1String("3389")) {
        if (needsHighBit)
            *needsHighBit = dpi > 12799;
        return uchar((dpi / 50) & 0xFF);
    }
    if (sensorType == QLatin1String("3320"))
        return lookUp({500, 14, 0x21}, dpi);
    if (sensorType == QLatin1String("3305"))
        return lookUp({400, 8, 1}, dpi);
    if (sensorType == QLatin1String("5050"))
        return lookUp({125, 11, 1}, dpi);
    // "4090" and every sensor not named above.
    if (dpi <= 5000)
        return uchar(dpi / 100 - 1);
    return uchar((dpi / 200) | 0x40);
}

StageCodes encodeStages(const QString &sensorType, const QVariantList &dpiValues)
{
    StageCodes stages;
    const int count = int(qMin<qsizetype>(dpiValues.size(), stageCount));
    for (int i = 0; i < count; ++i) {
        bool highBit = false;
        stages.codes[i] = encode(sensorType, dpiValues.at(i).toInt(), &highBit);
        if (highBit)
            stages.highBitMask |= uchar(1u << i);
    }
    return stages;
}

uchar stageEnableMask(int dpiCount)
{
    uchar mask = 0;
    for (int i = 0; i < stageCount && i < dpiCount; ++i)
        mask |= uchar(1u << i);
    return mask;
}

void applyStageEnables(StageCodes &stages, int valueCount, const QVariantList &enables)
{
    const int count = qMin(valueCount, stageCount);
    for (int i = 0; i < count; ++i) {
        const bool enabled = i < enables.size() && enables.at(i).toInt() != 0;
        if (!enabled)
            stages.codes[i] = disabledStage;
    }
}

} // namespace DpiEncoding

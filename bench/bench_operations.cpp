// Cost of turning the scene's settings into device payloads: the device
// profile images of second-family mice, the DPI code block and the lighting
// attribute block. Pure functions; no device involved.
#include "operations/deviceprofileimages.h"
#include "operations/dpiencoding.h"
#include "operations/lighting.h"
#include "tests/operations/payloadbytes.h"

#include <QByteArray>
#include <QTest>

namespace {

using testing::bytes;
using testing::values;

// The scene hands lists of variants; build them once, as it would.
const QVariantList highDpiValues = values({400, 12800, 800, 16000, 1600, 3200, 6400, 12750});

QVariantList rising(int count, int step)
{
    QVariantList result;
    for (int i = 0; i < count; ++i)
        result << (i * step) % 256;
    return result;
}

} // namespace

class BenchOperations : public QObject
{
    Q_OBJECT

private slots:
    // Everything a second-family DPI, effect, colour and gun change writes
    // into the five images, from a blank set.
    void profileImages()
    {
        const QVariantList colourValues = rising(24, 10);
        DeviceProfileImages images;

        QBENCHMARK
        {
            images = DeviceProfileImages();
            const DpiEncoding::StageCodes stages = DpiEncoding::encodeStages("3389", highDpiValues);
            images.setDpiStages(stages, DpiEncoding::stageEnableMask(int(highDpiValues.size())),
                                true);
            const Lighting::EffectCommand effect = Lighting::colourfulEffect(8, 2, 3);
            for (int n = DeviceProfileImages::userImage; n < DeviceProfileImages::count; ++n)
                images.setEffect(n, effect);
            images.setStageColours(true, Lighting::stageColours(colourValues));
            for (int n = DeviceProfileImages::firstGunImage; n < DeviceProfileImages::count; ++n)
                images.setGunData(n, 5, 3, 4);
        }

        // 50 DPI per code; 12800 and 16000 need the ninth bit (stages 2 and 4).
        for (int n = DeviceProfileImages::userImage; n < DeviceProfileImages::count; ++n) {
            const DeviceProfileImages::Image &image = images.image(n);
            QCOMPARE(bytes(image.data() + 71, 3), QByteArray::fromHex("08c00f"));
            QCOMPARE(bytes(image.data() + 82, 2), QByteArray::fromHex("0a0a"));
            QCOMPARE(bytes(image.data() + 84, 8), QByteArray::fromHex("08001040204080ff"));
            QCOMPARE(bytes(image.data() + 92, 8), bytes(image.data() + 84, 8));
            QCOMPARE(int(image[100]), 0xFF);
        }
        QCOMPARE(bytes(images.image(0).data() + 24, 24),
                 QByteArray::fromHex("000a141e28323c46505a646e78828c96a0aab4bec8d2dce6"));
        QCOMPARE(bytes(images.image(1).data() + 104, 24), QByteArray(24, '\0'));
        for (int n = DeviceProfileImages::firstGunImage; n < DeviceProfileImages::count; ++n)
            QCOMPARE(bytes(images.image(n).data() + 78, 4), QByteArray::fromHex("f0050304"));
        QCOMPARE(bytes(images.image(1).data() + 78, 4), QByteArray(4, '\0'));
    }

    // The first family's eight DPI codes with the stages switched off that
    // the user disabled.
    void firstFamilyDpiCodes()
    {
        const QVariantList dpi = values({400, 800, 1600, 3200, 6400});
        const QVariantList enables = values({1, 1, 1, 0});
        DpiEncoding::StageCodes stages;

        QBENCHMARK
        {
            stages = DpiEncoding::encodeStages("3360", dpi);
            DpiEncoding::applyStageEnables(stages, int(dpi.size()), enables);
        }
        QCOMPARE(bytes(stages.codes.data(), 8), QByteArray::fromHex("03070f8080000000"));
        QCOMPARE(int(stages.highBitMask), 0);
    }

    // The 64-byte lighting attribute block with all 45 colour bytes.
    void lightingAttributeBlock()
    {
        const QVariantList rgb = rising(Lighting::colourBytes, 5);
        Lighting::AttributeBlock block{};

        QBENCHMARK
        {
            block = Lighting::attributeBlock(2, 3, 1, 0, rgb);
        }
        QCOMPARE(bytes(block.data(), 5), QByteArray::fromHex("3202030100"));
        for (int i = 0; i < Lighting::colourBytes; ++i)
            QCOMPARE(int(block[5 + i]), (i * 5) % 256);
        QCOMPARE(bytes(block.data() + 50, 14), QByteArray(14, '\0'));
    }
};

QTEST_GUILESS_MAIN(BenchOperations)
#include "bench_operations.moc"

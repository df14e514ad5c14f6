#include "operations/buttonoperations.h"

#include "operations/operationscontext.h"

#include "device/debugline.h"
#include "settings/settingsstore.h"

namespace {

QString recordKey(const char *group, int button)
{
    return QString::fromLatin1(group) + QString::number(button);
}

// The record of one button; values missing from a short list are 0.
QVariantList fourValues(const QVariantList &list, int button)
{
    QVariantList values = list.mid(4 * button, 4);
    while (values.size() < 4)
        values << 0;
    return values;
}

} // namespace

bool ButtonOperations::mouseSetKeyMatrix(const QVariant &mouseMode, const QVariantList &src64,
                                         const QVariantList &src64_2, bool isSendData,
                                         const QVariantList &otherParam)
{
    ctx.settings.setData(QStringLiteral("mouse/mouseMode"), mouseMode);
    storeAssignments(src64, src64_2);
    if (!isSendData)
        return true;

    const QVariantList &active = mouseMode.toUInt() == 0 ? src64 : src64_2;
    KeyMatrix m1 = KeyRecords::firmwareMatrix(active, ctx.family());
    if (!KeyRecords::hasGunSwitch(m1))
        return sendMatrix(m1, 1);
    return sendWithGunMatrices(m1, otherParam);
}

void ButtonOperations::storeAssignments(const QVariantList &src64, const QVariantList &src64_2)
{
    for (int button = 0; button < KeyRecords::buttonCount; ++button) {
        // Stored as the scene gave them, before any conversion.
        ctx.settings.setDataList(recordKey("mouseKeyMatrix/", button), fourValues(src64, button));
        ctx.settings.setDataList(recordKey("mouseKeyMatrix2/", button),
                                 fourValues(src64_2, button));
    }
}

bool ButtonOperations::sendMatrix(KeyMatrix &matrix, uchar indexAddOne)
{
    return ctx.driver().sendKeyMatrix(matrix, indexAddOne);
}

bool ButtonOperations::sendWithGunMatrices(const KeyMatrix &m1, const QVariantList &gunPeriods)
{
    auto guns = KeyRecords::buildGunMatrices(m1, firmwareDefaultMatrix(), gunPeriods, ctx.family());
    Driver &driver = ctx.driver();
    const std::optional<bool> prepared = driver.prepareGunMatrices(guns.switchMask);
    if (!prepared)
        return false;
    bool sent = *prepared;
    sent = sendMatrix(guns.m1, 1) && sent;
    sent = sendMatrix(guns.m2, 2) && sent;
    sent = sendMatrix(guns.m3, 3) && sent;
    sent = sendMatrix(guns.m4, 4) && sent;
    return driver.selectFirstGunMatrix() && sent;
}

KeyMatrix ButtonOperations::firmwareDefaultMatrix()
{
    QList<QVariantList> records;
    for (int button = 0; button < KeyRecords::buttonCount; ++button)
        records << ctx.settings.getDataList(recordKey("mouseFwKeyMatrix/", button), false);
    return KeyRecords::matrixFromRecords(records);
}

QVariantList ButtonOperations::mouseGetKeydefine(const QVariant &mouseMode, const QVariant &index,
                                                 bool isRecovery)
{
    const char *group = mouseMode.toInt() == 0 ? "mouseKeyMatrix/" : "mouseKeyMatrix2/";
    return ctx.settings.getDataList(QString::fromLatin1(group) + index.toString(), isRecovery);
}

bool ButtonOperations::mouseResetKeyMatrix()
{
    KeyMatrix defaults = firmwareDefaultMatrix();
    bool sent = true;
    for (uchar matrixNo = 2; matrixNo <= matrixCount; ++matrixNo)
        sent = sendMatrix(defaults, matrixNo) && sent;
    return sent;
}

bool ButtonOperations::mouseSwitchKeyMatrix(int indexNo)
{
    if (indexNo < 1 || indexNo > matrixCount) {
        hidDebugLine(
            {QStringLiteral("mouseSwitchKeyMatrix refused matrix"), QString::number(indexNo)});
        return false;
    }
    return ctx.driver().selectKeyMatrix(indexNo);
}

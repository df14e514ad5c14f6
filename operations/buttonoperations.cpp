#include "operations/buttonoperations.h"

#include "operations/operationscontext.h"

#include "device/hid_thread.h"
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

void ButtonOperations::mouseSetKeyMatrix(const QVariant &mouseMode, const QVariantList &src64,
                                         const QVariantList &src64_2, bool isSendData,
                                         const QVariantList &otherParam)
{
    ctx.settings.setData(QStringLiteral("mouse/mouseMode"), mouseMode);
    storeAssignments(src64, src64_2);
    if (!isSendData)
        return;

    const QVariantList &active = mouseMode.toUInt() == 0 ? src64 : src64_2;
    KeyMatrix m1 = KeyRecords::firmwareMatrix(active, ctx.family());
    if (!KeyRecords::hasGunSwitch(m1)) {
        sendMatrix(m1, 1);
        return;
    }
    sendWithGunMatrices(m1, otherParam);
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

void ButtonOperations::sendMatrix(KeyMatrix &matrix, uchar indexAddOne)
{
    if (!ctx.hid)
        return;
    if (ctx.isSecondFamily())
        ctx.hid->hid560_0DH_SetKeyMatrix(matrix.data(), indexAddOne);
    else
        ctx.hid->hid553_12H_SetKeyMatrix(matrix.data(), indexAddOne);
}

void ButtonOperations::sendWithGunMatrices(const KeyMatrix &m1, const QVariantList &gunPeriods)
{
    auto guns = KeyRecords::buildGunMatrices(m1, firmwareDefaultMatrix(), gunPeriods, ctx.family());
    if (ctx.isSecondFamily()) {
        if (guns.switchMask)
            ctx.images.setGunSwitchMask(*guns.switchMask);
        ctx.sendImage(0);
    }
    sendMatrix(guns.m1, 1);
    sendMatrix(guns.m2, 2);
    sendMatrix(guns.m3, 3);
    sendMatrix(guns.m4, 4);
    if (!ctx.hid)
        return;
    if (ctx.isSecondFamily())
        ctx.hid->hid560_02H_SetCurrentProfile(1);
    else
        ctx.hid->hid553_02H_SetCurrentKeyMatrix(1);
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

void ButtonOperations::mouseResetKeyMatrix()
{
    KeyMatrix defaults = firmwareDefaultMatrix();
    for (uchar matrixNo = 2; matrixNo <= 4; ++matrixNo)
        sendMatrix(defaults, matrixNo);
}

void ButtonOperations::mouseSwitchKeyMatrix(int indexNo)
{
    if (!ctx.hid)
        return;
    if (ctx.isSecondFamily())
        ctx.hid->hid560_02H_SetCurrentProfile(uchar(indexNo));
    else
        ctx.hid->hid553_02H_SetCurrentKeyMatrix(uchar(indexNo - 1));
}

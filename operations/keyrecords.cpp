#include "operations/keyrecords.h"

#include <algorithm>

namespace KeyRecords {

namespace {

void setRecord(KeyMatrix &matrix, int button, uchar b0, uchar b1, uchar b2, uchar b3)
{
    matrix[4 * button] = b0;
    matrix[4 * button + 1] = b1;
    matrix[4 * button + 2] = b2;
    matrix[4 * button + 3] = b3;
}

bool isConsumerWindowsFunction(uchar low, uchar high)
{
    return (low == 0x94 && high == 0x01) || (low == 0x21 && high == 0x02)
           || (low == 0x23 && high == 0x02);
}

void convertRecord(uchar *record, Family family)
{
    uchar &type = record[0];
    switch (type) {
    case 0x00:
        type = (record[2] == 0x1E && record[3] == 2) ? 0x0A : 0x01;
        break;
    case 0x01:
        type = 0x0A;
        break;
    case 0x02:
    case 0x07:
        type = 0x00;
        break;
    case 0x06:
        type = isConsumerWindowsFunction(record[2], record[3]) ? 0x03 : 0x00;
        break;
    case 0x03:
        type = 0x03;
        break;
    case 0x04:
        type = 0x09;
        record[2] = uchar(record[2] + 1);
        break;
    case 0x05:
        if (record[2] == 4) {
            // The sniper key has a record of its own on each family.
            const bool second = family == Family::Second;
            record[0] = second ? 0x0B : 0x07;
            record[1] = 0x00;
            record[2] = second ? 0x01 : 0x04;
            record[3] = 0x01;
        } else {
            type = 0x07;
        }
        break;
    case 0x08:
        type = 0x08;
        break;
    case 0xFF:
        type = 0x04;
        break;
    default:
        break;
    }
}

uchar nextMatrixByte(int matrixIndex, int n)
{
    // Byte 3 on the first family: the 0-based number of the next matrix.
    switch (matrixIndex) {
    case 1:
        return 1;
    case 2:
        return n == 1 ? 0 : 2;
    case 3:
        return n == 3 ? 3 : 0;
    default:
        return 0;
    }
}

uchar secondFamilyStepByte(int matrixIndex, int n)
{
    switch (matrixIndex) {
    case 1:
        return 1;
    case 2:
        return n == 1 ? 0 : 3;
    case 3:
        return n == 3 ? 3 : 0;
    default:
        return 0;
    }
}

} // namespace

KeyMatrix matrixFromValues(const QVariantList &values)
{
    KeyMatrix matrix{};
    for (int i = 0; i < int(matrix.size()); ++i)
        matrix[i] = byteAt(values, i);
    return matrix;
}

KeyMatrix matrixFromRecords(const QList<QVariantList> &records)
{
    KeyMatrix matrix{};
    for (int button = 0; button < buttonCount && button < records.size(); ++button) {
        for (int k = 0; k < 4; ++k)
            matrix[4 * button + k] = byteAt(records.at(button), k);
    }
    return matrix;
}

void convertToFirmware(KeyMatrix &matrix, Family family)
{
    for (int button = 0; button < buttonCount; ++button)
        convertRecord(matrix.data() + 4 * button, family);
}

void swapRecords3And4(KeyMatrix &matrix)
{
    std::swap_ranges(matrix.begin() + 12, matrix.begin() + 16, matrix.begin() + 16);
}

bool isFixedByMouse(int button)
{
    return button == 6 || button == 7;
}

void fixRecords6And7(KeyMatrix &matrix)
{
    setRecord(matrix, 6, 0x0B, 0x07, 0x00, 0x00);
    setRecord(matrix, 7, 0x05, 0x00, 0x01, 0x00);
}

KeyMatrix firmwareMatrix(const QVariantList &values, Family family)
{
    KeyMatrix matrix = matrixFromValues(values);
    convertToFirmware(matrix, family);
    swapRecords3And4(matrix);
    fixRecords6And7(matrix);
    return matrix;
}

bool hasGunSwitch(const KeyMatrix &matrix)
{
    for (int button = 0; button < buttonCount; ++button) {
        if (matrix[4 * button] == gunSwitchType)
            return true;
    }
    return false;
}

GunMatrices buildGunMatrices(const KeyMatrix &m1, const KeyMatrix &firmwareDefault,
                             const QVariantList &gunPeriods, Family family)
{
    GunMatrices result{m1, firmwareDefault, firmwareDefault, firmwareDefault, std::nullopt};
    KeyMatrix *matrices[4] = {&result.m1, &result.m2, &result.m3, &result.m4};

    for (int button = 0; button < buttonCount; ++button) {
        if (m1[4 * button] != gunSwitchType)
            continue;
        const int n = m1[4 * button + 2];
        const bool knownCount = n >= 1 && n <= 3;
        for (int m = 1; m < 4; ++m)
            (*matrices[m])[4 * button] = gunSwitchType;

        if (family == Family::First) {
            for (int m = 0; m < 4; ++m) {
                KeyMatrix &matrix = *matrices[m];
                if (knownCount)
                    matrix[4 * button + 3] = nextMatrixByte(m + 1, n);
                matrix[4 * button + 2] = 1;
                matrix[4 * button + 1] = 0;
            }
        } else if (knownCount) {
            for (int m = 0; m < 4; ++m)
                (*matrices[m])[4 * button + 2] = secondFamilyStepByte(m + 1, n);
            static constexpr uchar masks[] = {0x07, 0x0F, 0x1F};
            result.switchMask = masks[n - 1];
        }
    }

    for (int gun = 0; gun < 3; ++gun)
        setRecord(*matrices[gun + 1], 0, 0x0B, uchar(gun), unsignedByteAt(gunPeriods, gun), 0x00);
    return result;
}

} // namespace KeyRecords

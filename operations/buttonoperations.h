#pragma once

#include "operations/keyrecords.h"

class OperationsContext;

// Storing, reading back and sending the button assignments of both modes.
class ButtonOperations
{
public:
    explicit ButtonOperations(OperationsContext &context)
        : ctx(context)
    {}

    // The sending operations say whether the mouse took everything.
    bool mouseSetKeyMatrix(const QVariant &mouseMode, const QVariantList &src64,
                           const QVariantList &src64_2, bool isSendData,
                           const QVariantList &otherParam);
    QVariantList mouseGetKeydefine(const QVariant &mouseMode, const QVariant &index,
                                   bool isRecovery);
    bool mouseResetKeyMatrix();
    // Matrices 1 to 4; any other number is refused and nothing is sent.
    bool mouseSwitchKeyMatrix(int indexNo);
    static constexpr int matrixCount = 4;

    // The stored firmware default matrix of the current profile.
    KeyMatrix firmwareDefaultMatrix();

private:
    void storeAssignments(const QVariantList &src64, const QVariantList &src64_2);
    bool sendMatrix(KeyMatrix &matrix, uchar indexAddOne);
    bool sendWithGunMatrices(const KeyMatrix &m1, const QVariantList &gunPeriods);

    OperationsContext &ctx;
};

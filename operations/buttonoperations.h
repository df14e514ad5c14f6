#pragma once

#include "operations/keymatrix.h"

class OperationsContext;

// Storing, reading back and sending the button assignments of both modes.
class ButtonOperations
{
public:
    explicit ButtonOperations(OperationsContext &context)
        : ctx(context)
    {}

    void mouseSetKeyMatrix(const QVariant &mouseMode, const QVariantList &src64,
                           const QVariantList &src64_2, bool isSendData,
                           const QVariantList &otherParam);
    QVariantList mouseGetKeydefine(const QVariant &mouseMode, const QVariant &index,
                                   bool isRecovery);
    void mouseResetKeyMatrix();
    void mouseSwitchKeyMatrix(int indexNo);

    // The stored firmware default matrix of the current profile.
    KeyMatrix firmwareDefaultMatrix();

private:
    void storeAssignments(const QVariantList &src64, const QVariantList &src64_2);
    void sendMatrix(KeyMatrix &matrix, uchar indexAddOne);
    void sendWithGunMatrices(const KeyMatrix &m1, const QVariantList &gunPeriods);

    OperationsContext &ctx;
};

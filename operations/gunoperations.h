#pragma once

#include <QVariantList>

class OperationsContext;

// Recoil data of the three guns and the keyboard option bytes they depend on.
class GunOperations
{
public:
    explicit GunOperations(OperationsContext &context)
        : ctx(context)
    {}

    // Whether the mouse took the gun's data (true too where there is no gun function).
    bool mouseSendGundata(int index, const QVariantList &data);
    QVariantList GetKeyboardoption();
    bool mouseSetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4);

private:
    OperationsContext &ctx;
};

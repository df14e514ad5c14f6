#pragma once

#include <QVariant>
#include <QVariantList>

class OperationsContext;

// Writing an encoded macro into one of the device's twelve macro slots.
class MacroOperations
{
public:
    explicit MacroOperations(OperationsContext &context)
        : ctx(context)
    {}

    // True once the mouse took the block; false for a slot it does not have
    // or a macro too long for the block (nothing sent then), or when the
    // mouse did not take it.
    QVariant mouseSendMacroData(const QVariantList &macroData, const QVariant &macroIndex);

private:
    OperationsContext &ctx;
};

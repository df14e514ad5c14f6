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

    // Always true: the scene does not wait on the device here.
    QVariant mouseSendMacroData(const QVariantList &macroData, const QVariant &macroIndex);

private:
    OperationsContext &ctx;
};

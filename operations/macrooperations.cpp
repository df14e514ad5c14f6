#include "operations/macrooperations.h"

#include "operations/macrotransfer.h"
#include "operations/operationscontext.h"

#include "device/debugline.h"

QVariant MacroOperations::mouseSendMacroData(const QVariantList &macroData,
                                             const QVariant &macroIndex)
{
    const std::optional<uchar> macroId = MacroTransfer::macroIdForIndex(macroIndex);
    if (!macroId || !MacroTransfer::fitsBlock(macroData)) {
        hidDebugLine({QStringLiteral("mouseSendMacroData refused slot"), macroIndex.toString(),
                      QStringLiteral("bytes"), QString::number(macroData.size())});
        return false;
    }
    MacroTransfer::MacroBlock block = MacroTransfer::macroBlock(macroData);
    return ctx.driver().sendMacro(*macroId, block);
}

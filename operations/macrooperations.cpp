#include "operations/macrooperations.h"

#include "operations/macrotransfer.h"
#include "operations/operationscontext.h"

#include "device/hid_thread.h"

QVariant MacroOperations::mouseSendMacroData(const QVariantList &macroData,
                                             const QVariant &macroIndex)
{
    const std::optional<uchar> macroId = MacroTransfer::macroIdForIndex(macroIndex);
    if (!macroId || !MacroTransfer::fitsBlock(macroData)) {
        hidDebugLine({QStringLiteral("mouseSendMacroData refused slot"), macroIndex.toString(),
                      QStringLiteral("bytes"), QString::number(macroData.size())});
        return false;
    }
    if (!ctx.hid)
        return false;
    MacroTransfer::MacroBlock block = MacroTransfer::macroBlock(macroData);
    if (ctx.isSecondFamily())
        return ctx.hid->hid560_0FH_SetMacroKey(*macroId, block.data());
    return ctx.hid->hid553_13H_SetMacroKey(*macroId, block.data());
}

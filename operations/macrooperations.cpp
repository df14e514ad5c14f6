#include "operations/macrooperations.h"

#include "operations/macroblock.h"
#include "operations/operationscontext.h"

#include "device/hid_thread.h"

QVariant MacroOperations::mouseSendMacroData(const QVariantList &macroData,
                                             const QVariant &macroIndex)
{
    const std::optional<uchar> macroId = MacroTransfer::macroIdForIndex(macroIndex);
    if (macroId && ctx.hid) {
        MacroTransfer::MacroBlock block = MacroTransfer::macroBlock(macroData);
        if (ctx.isSecondFamily())
            ctx.hid->hid560_0FH_SetMacroKey(*macroId, block.data());
        else
            ctx.hid->hid553_13H_SetMacroKey(*macroId, block.data());
    }
    return true;
}

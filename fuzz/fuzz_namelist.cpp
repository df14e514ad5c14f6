// name.bin: the names and attributes of the macro tree, the gun and profile
// names, as the macro, gun and profile pages list them.
#include "fuzz/fuzzsupport.h"

#include "settings/macrolibrary.h"
#include "settings/macroselection.h"
#include "settings/settingsstore.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const kairo::fuzz::ScratchFolder folder;
    folder.write(QStringLiteral("modules/setting/name.bin"), data, size);
    SettingsStore store(folder.path() + QStringLiteral("/modules"));
    MacroSelection selection;
    MacroLibrary library(store, selection);

    for (int type = -1; type <= 4; ++type)
        library.getNameList(type);
    for (int att = -1; att <= 9; ++att)
        library.getMacroList_Att(att);

    // The folders of the top level open their own lists.
    library.setMacroLevel(1);
    const QVariantList rootNames = library.getNameList(0);
    for (qsizetype i = 0; i < rootNames.size() && i < 16; ++i) {
        for (int att = 0; att <= 9; ++att)
            library.getMacroSubList_Att(att, rootNames.at(i).toString());
    }
    return 0;
}

// A macro file read, written back as the macro editor saves it, and read
// again: the editor shows the second reading after a save, so it must be the
// first one.
#include "fuzz/fuzzsupport.h"

#include "settings/macrolibrary.h"
#include "settings/macroselection.h"
#include "settings/settingsstore.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const kairo::fuzz::ScratchFolder folder;
    folder.write(QStringLiteral("modules/macro/read.bin"), data, size);
    SettingsStore store(folder.path() + QStringLiteral("/modules"));
    MacroSelection selection;
    MacroLibrary library(store, selection);

    const QStringList first = library.loadMacroIni(0, QStringLiteral("read"));
    if (first.isEmpty())
        kairo::fuzz::finding("a macro file read as nothing, not even its repeat count");
    const QString repeat = first.last();
    const QStringList lines = first.mid(0, first.size() - 1);
    if (!library.createMacroIni(QStringLiteral("saved"), 1, 0, 0).toBool()
        || !library.saveMacroIni(0, QStringLiteral("saved"), lines, repeat).toBool())
        kairo::fuzz::finding("a macro could not be saved");
    const QStringList second = library.loadMacroIni(0, QStringLiteral("saved"));
    if (second != first) {
        qInstallMessageHandler(nullptr);
        for (qsizetype i = 0; i < qMax(first.size(), second.size()); ++i) {
            if (first.value(i) != second.value(i))
                qWarning() << "line" << i << first.value(i) << "reads back as" << second.value(i);
        }
        kairo::fuzz::finding("a saved macro reads back otherwise than it was read");
    }
    return 0;
}

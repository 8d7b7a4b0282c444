#include "readinput.h"

#include "shell/stringtable.h"

// A language file beside the program may have been edited by hand. Loading one never fails in a
// way that breaks the table: every entry is the text of its value before the first "/", and a load
// that reports success has read every entry.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using qor::fuzz::require;
    const QString path = qor::fuzz::writeInputFile(u"DataString-rUS.xml", data, size);
    qor::StringTable table;
    const bool complete = table.load(path);
    for (const qor::StringTable::SectionInfo& section : qor::StringTable::sections()) {
        for (int key = 1; key <= section.count; ++key) {
            require(!table.entry(section.section, key).contains(u'/'), "an entry ends before the first \"/\" of its value");
        }
        require(table.entry(section.section, section.count + 1).isEmpty(), "a key beyond the section has no text");
    }
    require(!complete || size > 0, "an empty file is no complete language file");
    return 0;
}

#pragma once

#include "data/textkeys.h"

#include <QString>

#include <array>

namespace qor {

// Every user-visible text that changes with the interface language: 149 entries in nine sections,
// loaded from one language file.
class StringTable {
  public:
    struct SectionInfo {
        StringSection section;
        const char16_t* name; // the section's name in the language files
        int count;            // its keys are 1 to count
        int bufferSize;       // read buffer of each value, terminator included
    };

    static constexpr int EntryCount = 149;

    // The sections in the order they are loaded.
    static const std::array<SectionInfo, 9>& sections();
    static const SectionInfo& info(StringSection section);

    // Reads the sections in load order, keys ascending; each entry becomes its value's text before the
    // first "/". A value without "/" (a missing file or key included) stops the loading: the entries
    // not read yet keep their texts. Returns true when all entries were read.
    bool load(const QString& filePath);

    // The text of the entry; empty for a key outside the section.
    QString entry(StringSection section, int key) const;
    QString entry(StringKey key) const { return entry(key.section, key.key); }

  private:
    static int firstEntry(StringSection section);

    std::array<QString, EntryCount> m_entries;
};

// The table the program works with.
StringTable& stringTable();

// stringTable().entry(key), as stringEntry(MDIFormText::InvalidDataFile).
QString stringEntry(StringKey key);

// The line of a graph window and a report preview that gives the model and the first and last
// record's times, spaced as the program lays it out.
QString modelAndTimesLine(const QString& model, const QString& firstTime, const QString& lastTime);

// The language file of a language code, "" for an unknown code.
QString languageFileName(const QString& langCode);

// Loads stringTable() from the language file of graphSettings().LangCode beside the program; with an
// unknown code nothing is read and the table keeps its texts.
bool LoadStringTable();

} // namespace qor

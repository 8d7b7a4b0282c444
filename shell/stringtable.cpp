#include "stringtable.h"

#include "apppath.h"
#include "graphsettings.h"
#include "inifile.h"

#include "data/interfacelanguage.h"

namespace qor {

const std::array<StringTable::SectionInfo, 9>& StringTable::sections()
{
    static constexpr std::array<SectionInfo, 9> list{{
        {StringSection::MDIForm, u"MDIForm", 44, 50},
        {StringSection::Graph, u"Graph", 26, 100},
        {StringSection::Digital, u"Digital", 23, 50},
        {StringSection::Find, u"Find", 14, 50},
        {StringSection::Process, u"Process", 5, 100},
        {StringSection::Fileinfo, u"Fileinfo", 8, 50},
        {StringSection::GraphSet, u"GraphSet", 19, 50},
        {StringSection::Dialog, u"Dialog", 2, 50},
        {StringSection::Viewer, u"Viewer", 8, 200},
    }};
    return list;
}

const StringTable::SectionInfo& StringTable::info(StringSection section)
{
    for (const SectionInfo& candidate : sections()) {
        if (candidate.section == section)
            return candidate;
    }
    Q_UNREACHABLE();
}

// Entries are numbered section after section in the order of StringSection.
int StringTable::firstEntry(StringSection section)
{
    int first = 0;
    for (const SectionInfo& other : sections()) {
        if (other.section < section)
            first += other.count;
    }
    return first;
}

bool StringTable::load(const QString& filePath)
{
    const IniSnapshot file(filePath);
    for (const SectionInfo& section : sections()) {
        const int first = firstEntry(section.section);
        for (int key = 1; key <= section.count; ++key) {
            const QString value = file.read(section.name, QString::number(key), section.bufferSize);
            const qsizetype slash = value.indexOf(u'/');
            if (slash < 0)
                return false;
            m_entries[first + key - 1] = value.left(slash);
        }
    }
    return true;
}

QString StringTable::entry(StringSection section, int key) const
{
    if (key < 1 || key > info(section).count)
        return {};
    return m_entries[firstEntry(section) + key - 1];
}

QString stringEntry(StringKey key)
{
    return stringTable().entry(key);
}

QString modelAndTimesLine(const QString& model, const QString& firstTime, const QString& lastTime)
{
    return stringEntry(FileinfoText::Model) + QStringLiteral(" :  ") + model + QString(20, u' ') + stringEntry(FileinfoText::StartTime) +
           QStringLiteral(" : ") + firstTime + QString(15, u' ') + stringEntry(FileinfoText::EndTime) + QStringLiteral(" : ") + lastTime;
}

QString languageFileName(const QString& langCode)
{
    const InterfaceLanguage* language = interfaceLanguage(langCode);
    return language ? language->fileName.toString() : QString();
}

bool LoadStringTable()
{
    const QString fileName = languageFileName(graphSettings().LangCode);
    return stringTable().load(fileName.isEmpty() ? QString() : AppPath() + fileName);
}

} // namespace qor

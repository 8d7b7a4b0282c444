#include "shell/apppath.h"
#include "shell/graphsettings.h"
#include "shell/inifile.h"
#include "shell/stringtable.h"

#include <QFile>
#include <QMetaEnum>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <numeric>

using namespace qor;

namespace {

// Language file contents, section by section in load order; values include their "/".
using LanguageFile = QList<QPair<QString, QStringList>>;

QString plainText(const QString& tag, const StringTable::SectionInfo& section, int key)
{
    return tag + u' ' + QString::fromUtf16(section.name) + u' ' + QString::number(key);
}

LanguageFile everyEntry(const QString& tag)
{
    LanguageFile file;
    for (const StringTable::SectionInfo& section : StringTable::sections()) {
        QStringList values;
        for (int key = 1; key <= section.count; ++key)
            values << plainText(tag, section, key) + u'/';
        file.append({QString::fromUtf16(section.name), values});
    }
    return file;
}

QString write(const QString& path, const LanguageFile& contents)
{
    QByteArray bytes;
    for (const auto& [section, values] : contents) {
        bytes += '[' + section.toUtf8() + "]\r\n";
        for (qsizetype key = 0; key < values.size(); ++key) {
            if (!values[key].isNull())
                bytes += QByteArray::number(key + 1) + '=' + values[key].toUtf8() + "\r\n";
        }
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

// The keys of each section of a language file, in file order.
QMap<QString, QList<int>> keysOf(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    const QRegularExpression section(QStringLiteral("^\\[(\\w+)\\]")), key(QStringLiteral("^(\\d+)="));
    QMap<QString, QList<int>> keys;
    QString current;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(QRegularExpression(QStringLiteral("\r?\n")))) {
        if (const QRegularExpressionMatch header = section.match(line); header.hasMatch()) {
            current = header.captured(1);
            keys.insert(current, {});
        } else if (const QRegularExpressionMatch entry = key.match(line); entry.hasMatch()) {
            keys[current] << entry.captured(1).toInt();
        }
    }
    return keys;
}

// The values of the meta-enum named after a section, "DigitalText" for [Digital], ascending.
QList<int> namedKeys(const QString& section)
{
    const int index = textkeys::staticMetaObject.indexOfEnumerator(qPrintable(section + u"Text"));
    if (index < 0)
        return {};
    const QMetaEnum names = textkeys::staticMetaObject.enumerator(index);
    QList<int> keys;
    for (int i = 0; i < names.keyCount(); ++i)
        keys << names.value(i);
    std::ranges::sort(keys);
    return keys;
}

// The section a named key converts to is the one its enum is named after.
template <typename Key> bool isInItsSection()
{
    const StringKey key = Key{};
    return QString::fromUtf16(StringTable::info(key.section).name) + u"Text" == QLatin1String(QMetaEnum::fromType<Key>().enumName());
}

QString& valueOf(LanguageFile& contents, const QString& section, int key)
{
    for (auto& [name, values] : contents) {
        if (name == section)
            return values[key - 1];
    }
    qFatal("no section %s", qPrintable(section));
}

} // namespace

class TestStringTable : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void init() { QVERIFY(m_dir.isValid()); }

    void theSectionsHold149Entries()
    {
        int total = 0;
        for (const StringTable::SectionInfo& section : StringTable::sections())
            total += section.count;
        QCOMPARE(total, StringTable::EntryCount);
        QCOMPARE(StringTable::info(StringSection::Graph).bufferSize, 100);
        QCOMPARE(StringTable::info(StringSection::Process).bufferSize, 100);
    }

    void anEntryIsTheTextBeforeTheFirstSlash()
    {
        LanguageFile contents = everyEntry(QStringLiteral("new"));
        valueOf(contents, QStringLiteral("Graph"), 4) = QStringLiteral("PV/");
        valueOf(contents, QStringLiteral("Graph"), 5) = QStringLiteral("SP/ignored/too");
        valueOf(contents, QStringLiteral("Digital"), 21) = QStringLiteral("  Title / ");
        // The longest text that fits each section's buffer with its "/".
        for (const StringTable::SectionInfo& section : StringTable::sections())
            valueOf(contents, QString::fromUtf16(section.name), section.count) = QString(section.bufferSize - 2, u'x') + u'/';
        StringTable table;
        QVERIFY(table.load(write(m_dir.filePath(QStringLiteral("lang.xml")), contents)));
        QCOMPARE(table.entry(GraphText::PV), "PV");
        QCOMPARE(table.entry(GraphText::SP), "SP");
        QCOMPARE(table.entry(DigitalText::DataTable), "Title ");
        QCOMPARE(table.entry(MDIFormText::InvalidDataFile), "new MDIForm 14");
        QCOMPARE(table.entry(DialogText::ProgramStart), "new Dialog 1");
        QCOMPARE(table.entry(GraphText::Converting), QString(98, u'x'));
        QCOMPARE(table.entry(FindText::NoDataAtTime), QString(48, u'x'));
        QCOMPARE(table.entry(StringSection::Dialog, 0), "");
        QCOMPARE(table.entry(StringSection::Dialog, 3), "");
    }

    void aBadValueStopsTheLoadingAndLaterEntriesKeepTheirTexts_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("value"); // null: the key is missing
        QTest::newRow("no slash") << "Digital" << 5 << "TIME";
        QTest::newRow("missing key") << "Find" << 1 << QString();
        QTest::newRow("longer than buffer 50") << "MDIForm" << 14 << QString(49, u'x') + u'/';
        QTest::newRow("longer than buffer 100") << "Graph" << 25 << QString(99, u'x') + u'/';
        QTest::newRow("longer than buffer 100 in Process") << "Process" << 2 << QString(99, u'x') + u'/';
    }

    void aBadValueStopsTheLoadingAndLaterEntriesKeepTheirTexts()
    {
        QFETCH(QString, section);
        QFETCH(int, key);
        QFETCH(QString, value);
        StringTable table;
        QVERIFY(table.load(write(m_dir.filePath(QStringLiteral("old.xml")), everyEntry(QStringLiteral("old")))));
        LanguageFile contents = everyEntry(QStringLiteral("new"));
        valueOf(contents, section, key) = value;
        QVERIFY(!table.load(write(m_dir.filePath(QStringLiteral("new.xml")), contents)));
        bool reached = false;
        for (const StringTable::SectionInfo& info : StringTable::sections()) {
            for (int k = 1; k <= info.count; ++k) {
                reached = reached || (QString::fromUtf16(info.name) == section && k == key);
                QCOMPARE(table.entry(info.section, k), plainText(reached ? QStringLiteral("old") : QStringLiteral("new"), info, k));
            }
        }
    }

    void aFileWithoutSectionGraphChangesOnlyTheMenuTexts()
    {
        StringTable table;
        QVERIFY(table.load(write(m_dir.filePath(QStringLiteral("old.xml")), everyEntry(QStringLiteral("old")))));
        LanguageFile contents = everyEntry(QStringLiteral("new"));
        contents.removeAt(1);
        QCOMPARE(contents.at(1).first, "Digital");
        QVERIFY(!table.load(write(m_dir.filePath(QStringLiteral("new.xml")), contents)));
        QCOMPARE(table.entry(MDIFormText::SplitData), "new MDIForm 44");
        QCOMPARE(table.entry(GraphText::Legend), "old Graph 1");
        QCOMPARE(table.entry(DigitalText::SelectionStatistics), "old Digital 1");
        QCOMPARE(table.entry(DialogText::AlreadyRunning), "old Dialog 2");
    }

    void theProgramTableFollowsLangCode()
    {
        setAppPath(m_dir.path());
        write(m_dir.filePath(QStringLiteral("DataString-rKR.xml")), everyEntry(QStringLiteral("KOR")));
        write(m_dir.filePath(QStringLiteral("DataString-rUS.xml")), everyEntry(QStringLiteral("ENG")));
        write(m_dir.filePath(QStringLiteral("DataString-rCH.xml")), everyEntry(QStringLiteral("CHR")));
        for (const QString& code : {QStringLiteral("ENG"), QStringLiteral("CHR"), QStringLiteral("KOR")}) {
            graphSettings().LangCode = code;
            QVERIFY(LoadStringTable());
            QCOMPARE(stringEntry(FindText::NeedsAbsoluteTime), code + QStringLiteral(" Find 13"));
        }
        graphSettings().LangCode = QStringLiteral("kor");
        QVERIFY(!LoadStringTable());
        QCOMPARE(stringEntry(MDIFormText::File), "KOR MDIForm 1");
        setAppPath({});
        graphSettings().LangCode.clear();
    }

    void theShippedLanguageFilesAreComplete_data()
    {
        QTest::addColumn<QString>("fileName");
        for (const char* code : {"KOR", "ENG", "CHR"})
            QTest::newRow(code) << languageFileName(QString::fromLatin1(code));
    }

    void theShippedLanguageFilesAreComplete()
    {
        QFETCH(QString, fileName);
        const QString path = QStringLiteral(QOR_RESOURCES_DIR "/") + fileName;
        StringTable table;
        QVERIFY(table.load(path));
        const IniFile file(path);
        for (const StringTable::SectionInfo& section : StringTable::sections()) {
            for (int key = 1; key <= section.count; ++key) {
                const QString value = file.read(section.name, QString::number(key), 1000);
                const QString where = QString::fromUtf16(section.name) + u' ' + QString::number(key);
                QVERIFY2(value.size() <= section.bufferSize - 1, qPrintable(where));
                QVERIFY2(value.endsWith(u'/') && value.count(u'/') == 1, qPrintable(where));
                QVERIFY2(!table.entry(section.section, key).trimmed().isEmpty(), qPrintable(where));
                QVERIFY2(!value.contains(QChar::ReplacementCharacter), qPrintable(where));
            }
        }
    }

    // Each section's enum names exactly the keys 1 to its count, which are exactly the keys each
    // shipped file gives the section: a key gained or lost on either side fails here.
    void theNamedKeysAreTheKeysOfTheShippedFiles()
    {
        QCOMPARE(textkeys::staticMetaObject.enumeratorCount(), int(StringTable::sections().size()));
        QVERIFY(isInItsSection<DigitalText>() && isInItsSection<FindText>() && isInItsSection<GraphText>() &&
                isInItsSection<GraphSetText>() && isInItsSection<ProcessText>() && isInItsSection<DialogText>() &&
                isInItsSection<FileinfoText>() && isInItsSection<MDIFormText>() && isInItsSection<ViewerText>());
        for (const char* code : {"ENG", "KOR", "CHR"}) {
            const QString fileName = languageFileName(QString::fromLatin1(code));
            const QMap<QString, QList<int>> fileKeys = keysOf(QStringLiteral(QOR_RESOURCES_DIR "/") + fileName);
            QCOMPARE(fileKeys.size(), int(StringTable::sections().size()));
            for (const StringTable::SectionInfo& section : StringTable::sections()) {
                const QString name = QString::fromUtf16(section.name);
                QList<int> oneToCount(section.count);
                std::iota(oneToCount.begin(), oneToCount.end(), 1);
                QVERIFY2(namedKeys(name) == oneToCount, qPrintable(name));
                QVERIFY2(fileKeys.value(name) == oneToCount, qPrintable(fileName + u' ' + name));
            }
        }
    }

    void theKoreanMenuCaptionsAreTheDesignCaptions()
    {
        StringTable table;
        QVERIFY(table.load(QStringLiteral(QOR_RESOURCES_DIR "/DataString-rKR.xml")));
        const QStringList captions =
            QString::fromUtf8("파일 열기 파일정보 캡쳐 엑셀변환 인쇄미리보기 인쇄 종료 - 시간축 상대시간 절대시간 데이타검색 - "
                              "표시 스타일 밝게 어둡게 선 표준 중간 두껍게 확대 축소 언어 한국어 영어 중국어 Y축 X축 표준그리드 "
                              "밀집그리드1 밀집그리드2 - - - - 윈도우 파형표시 디지탈표시 표시설정 전체확대")
                .split(u' ');
        for (int key = 1; key <= captions.size(); ++key) {
            if (captions[key - 1] != u"-")
                QCOMPARE(table.entry(StringSection::MDIForm, key), captions[key - 1]);
        }
        QCOMPARE(table.entry(MDIFormText::CombineChannels), QString::fromUtf8("채널 합치기"));
        QCOMPARE(table.entry(MDIFormText::SplitData), QString::fromUtf8("데이타 분활"));
    }

  private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestStringTable)
#include "tst_stringtable.moc"

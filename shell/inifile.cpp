#include "inifile.h"

#include <QFile>
#include <QSaveFile>

#include <optional>
#include <vector>

namespace qor {

namespace {

const QByteArray lineEnd = QByteArrayLiteral("\r\n");

// Where one line lies in the file: its text, then its line end (none on a last line without one).
struct LineSpan {
    qsizetype begin = 0;
    qsizetype end = 0;  // one past the text
    qsizetype next = 0; // one past the line end
};

std::vector<LineSpan> splitLines(const QByteArray& bytes)
{
    std::vector<LineSpan> lines;
    // A byte order mark, as Windows editors write one, is not part of the first line's text.
    qsizetype begin = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (begin < bytes.size()) {
        qsizetype end = begin;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        qsizetype next = end;
        if (next < bytes.size() && bytes[next] == '\r')
            ++next;
        if (next < bytes.size() && bytes[next] == '\n')
            ++next;
        lines.push_back({begin, end, next});
        begin = next;
    }
    return lines;
}

QString lineText(const QByteArray& bytes, const LineSpan& line)
{
    return QString::fromUtf8(bytes.constData() + line.begin, line.end - line.begin).trimmed();
}

bool sameName(QStringView a, QStringView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// The name of a "[name]" line; a line that opens a bracket without closing it names no section.
std::optional<QString> sectionName(const QString& text)
{
    if (!text.startsWith(u'['))
        return std::nullopt;
    const qsizetype close = text.lastIndexOf(u']');
    if (close < 0)
        return std::nullopt;
    return text.mid(1, close - 1).trimmed();
}

struct KeyLine {
    QString key;
    QString value;
};

std::optional<KeyLine> keyLine(const QString& text)
{
    const qsizetype equals = text.indexOf(u'=');
    if (equals < 0)
        return std::nullopt;
    return KeyLine{text.left(equals).trimmed(), text.mid(equals + 1).trimmed()};
}

// What a search for one key found, as indices into the file's lines (-1: not there).
struct KeyPlace {
    int section = -1;    // the section's header line
    int lastFilled = -1; // the section's last non-blank line (so far), its header at least
    int key = -1;
    KeyLine entry;
};

std::vector<QString> lineTexts(const QByteArray& bytes, const std::vector<LineSpan>& lines)
{
    std::vector<QString> texts;
    texts.reserve(lines.size());
    for (const LineSpan& line : lines)
        texts.push_back(lineText(bytes, line));
    return texts;
}

KeyPlace findKey(const std::vector<QString>& lineTexts, QStringView section, QStringView key)
{
    KeyPlace place;
    bool inSection = false;
    for (int i = 0; i < int(lineTexts.size()); ++i) {
        const QString& text = lineTexts[i];
        if (const std::optional<QString> name = sectionName(text)) {
            if (place.section >= 0)
                break;
            inSection = sameName(*name, section);
            if (inSection)
                place.section = place.lastFilled = i;
            continue;
        }
        if (!inSection || text.isEmpty())
            continue;
        place.lastFilled = i;
        std::optional<KeyLine> entry = keyLine(text);
        if (entry && sameName(entry->key, key)) {
            place.key = i;
            place.entry = std::move(*entry);
            break;
        }
    }
    return place;
}

QByteArray keyValueLine(QStringView key, QStringView value)
{
    return QString(key + u'=' + value).toUtf8();
}

// The file content with the key set to the value; see IniFile::write.
QByteArray withValue(QByteArray bytes, QStringView section, QStringView key, QStringView value)
{
    const std::vector<LineSpan> lines = splitLines(bytes);
    const KeyPlace place = findKey(lineTexts(bytes, lines), section, key);
    if (place.key >= 0) {
        const LineSpan& line = lines[place.key];
        return bytes.replace(line.begin, line.end - line.begin, keyValueLine(place.entry.key, value));
    }
    if (place.section >= 0) {
        const LineSpan& after = lines[place.lastFilled];
        const QByteArray added = keyValueLine(key, value) + lineEnd;
        return bytes.insert(after.next, after.next == after.end ? QByteArray(lineEnd + added) : added);
    }
    if (!lines.empty() && lines.back().next == lines.back().end)
        bytes += lineEnd; // the last line had none
    return QByteArray(bytes + '[' + section.toUtf8() + ']' + lineEnd + keyValueLine(key, value) + lineEnd);
}

// The file's bytes: empty for a missing file, nullopt for one that exists but cannot be read.
// A missing file reads as empty.
Result<QByteArray> fileBytes(const QString& path)
{
    QFile file(path);
    if (!file.exists())
        return QByteArray();
    if (!file.open(QIODevice::ReadOnly))
        return Status::failure(StatusCode::Unreadable, file.errorString());
    return file.readAll();
}

} // namespace

IniFile::IniFile(QString filePath)
    : m_filePath(std::move(filePath))
{
}

QString IniFile::read(QStringView section, QStringView key, int bufferSize) const
{
    return IniSnapshot(m_filePath).read(section, key, bufferSize);
}

Status IniFile::write(QStringView section, QStringView key, QStringView value) const
{
    const auto failed = [&](const QString& reason) {
        return Status::failure(StatusCode::WriteFailed, QStringLiteral("%1 could not be written to %2: %3.").arg(key, m_filePath, reason));
    };
    const Result<QByteArray> old = fileBytes(m_filePath);
    if (!old.ok())
        return failed(old.status().message());
    const QByteArray updated = withValue(*old, section, key, value);
    QSaveFile file(m_filePath);
    // Unbuffered, so that a short write (a full disk) shows in write()'s count: a buffered QSaveFile
    // flushes in commit() and can then report success for a cut file. Uncommitted, the temporary
    // file is removed and the old file stays.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || file.write(updated) != updated.size() || !file.commit())
        return failed(file.errorString());
    return {};
}

IniSnapshot::IniSnapshot(const QString& filePath)
{
    const Result<QByteArray> read = fileBytes(filePath);
    if (read.ok())
        m_lineTexts = lineTexts(*read, splitLines(*read));
}

QString IniSnapshot::read(QStringView section, QStringView key, int bufferSize) const
{
    const KeyPlace place = findKey(m_lineTexts, section, key);
    if (place.key < 0 || bufferSize < 1)
        return {};
    return place.entry.value.left(bufferSize - 1);
}

} // namespace qor

#pragma once

#include "data/status.h"

#include <QString>
#include <QStringView>

#include <vector>

namespace qor {

// One INI-style text file (bracketed section names, "key=value" lines), read and written one key at
// a time with nothing kept in memory between calls. Section and key names are matched without
// regard to case; the first matching section and the first matching key in it count.
//
// Files are UTF-8; CR LF, LF and CR line ends are all read, and the lines a write adds end in CR LF.
class IniFile {
  public:
    explicit IniFile(QString filePath);

    const QString& filePath() const { return m_filePath; }

    // The text after the first "=" of the key's line, blanks around it trimmed. `bufferSize` counts a
    // terminator, as the profile-string calls do: a longer value is cut to bufferSize - 1 characters.
    // A missing file, section or key gives empty text.
    QString read(QStringView section, QStringView key, int bufferSize) const;

    // Sets the key's value. An existing key keeps its line, its spelling and its line end; a new key
    // goes after the last non-blank line of its section; a missing section is added at the end, a
    // missing file is created. Every other line stays byte for byte. The new content is written to a
    // temporary file that then replaces the old one, so a failed write leaves the file as it was.
    // Fails when the file could not be read or written.
    [[nodiscard]] Status write(QStringView section, QStringView key, QStringView value) const;

  private:
    QString m_filePath;
};

// The keys of an INI-style file as it was when read, for reading many keys of one version of the
// file without reading and splitting it again for each; keys are found as IniFile::read finds them.
class IniSnapshot {
  public:
    explicit IniSnapshot(const QString& filePath);

    QString read(QStringView section, QStringView key, int bufferSize) const;

  private:
    std::vector<QString> m_lineTexts; // each line's text, blanks around it trimmed
};

} // namespace qor

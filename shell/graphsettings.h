#pragma once

#include "data/datetime.h"
#include "data/status.h"
#include "data/valuerange.h"

#include <QString>

#include <array>

namespace qor {

// The program-wide settings kept in the settings file: the look of the trend graphs, the print
// options and the interface language. Colours are 0x00BBGGRR values.
struct GraphSettings {
    qint16 PlotsWidth = 0;
    qint16 YGridMode = 0;
    qint16 XGridMode = 0;
    std::array<qint32, 9> PlotColor{}; // plot n's colour is PlotColor[n - 1]
    qint32 TimeColor = 0;
    qint32 TempColor = 0;
    qint32 OutputColor = 0;
    qint32 FrameColor = 0;
    ValueRange PVRange;                // the fixed range of the process-value axis
    std::array<qint16, 5> PrintInfo{}; // print switch n is PrintInfo[n - 1]
    QString LangCode;                  // "KOR", "ENG" or "CHR"

    // Reads every setting from the file, key by key, each value by the leading-number rule rounded
    // halves to even; a missing file or key reads as 0 (LangCode as empty text). A value that does
    // not fit its setting stops the reading: the settings after it keep their values (returns false).
    bool load(const QString& filePath);

    // Writes the colours and the process-value range to section Color, key by key; stops at the first
    // failed write. X_Major and Y_Major, which nothing
    // reads, are written as 0 so that the file keeps the keys it has always had.
    [[nodiscard]] Status save(const QString& filePath) const;
};

// The settings the program works with.
GraphSettings& graphSettings();

// WritablePath() followed by "SetGraphInfo.ini".
QString graphSettingsPath();

// The morning and afternoon designators of the interface language in force.
datetime::AmPm interfaceAmPm();

// Writes one key of the settings file in the writable folder. A failure goes to the error log: the
// program carries on with the value in force, which the next start will not find.
void saveSetting(QStringView section, QStringView key, const QString& value);

// graphSettings() from and to the settings file in the writable folder.
bool LoadGraphSettings();
[[nodiscard]] Status SaveGraphSettings();

} // namespace qor

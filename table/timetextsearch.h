#pragma once

#include "data/datetime.h"
#include "data/tracecolumns.h"

#include <QString>
#include <QStringView>

#include <cstdint>

namespace qor {

// Finds record times by the beginning of their general date-and-time text ("2015-03-01 PM 1:05:09",
// the date alone at midnight) without making the text of every record. Every text of one hour of one
// day shares the part up to the first ":", and after it the texts of that hour sort like the times,
// so a whole hour can be judged from its shared part and searched by halving.
class TimeTextSearch {
  public:
    TimeTextSearch(QStringView needle, datetime::AmPm amPm);

    // The first index of first..last whose text begins with the needle, or -1. `inOrder` says the
    // times ascend, which lets the search jump over hours and days instead of visiting every record.
    qsizetype first(const TimeColumn& times, qsizetype firstIndex, qsizetype lastIndex, bool inOrder) const;

  private:
    enum class Match { None, All, Some };

    qsizetype firstInOrder(const TimeColumn& times, qsizetype firstIndex, qsizetype lastIndex) const;
    qsizetype firstByScan(const TimeColumn& times, qsizetype firstIndex, qsizetype lastIndex) const;
    qsizetype firstInHour(const TimeColumn& times, qsizetype from, qsizetype to, Match match) const;
    // How the texts of the hour match (the midnight second, which shows the date alone, aside).
    Match hourMatch(std::int64_t day, int hour) const;
    // Whether any text of the day can match: its date (the midnight text) and the needle agree.
    bool dayCanMatch(std::int64_t day) const;
    bool matches(std::int64_t seconds) const;
    QString text(std::int64_t seconds) const;

    QString m_needle;
    datetime::AmPm m_amPm;
};

} // namespace qor

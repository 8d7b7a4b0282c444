#pragma once

#include "busynotice.h"
#include "loadeddataset.h"
#include "status.h"

#include <QFileDevice>
#include <QString>

#include <array>
#include <vector>

// Steps that every reader shares once it has decoded a file's records.
namespace qor::readers {

// The value columns a read produced, by column; columns the file does not fill stay null.
using ReadColumns = std::array<ColumnPtr, ColumnCount>;

// Puts the records into the slot: times, the columns of the read, and blank columns for every
// column the file did not fill, so that nothing of an earlier file stays visible as this one's.
void storeRecords(SlotData& slot, TimeColumn times, const ReadColumns& columns);

// The name of a file: the part of the path after the last "/" or "\".
QString fileNameOf(const QString& path);

// The failures that every reader reports alike.
Status unreadable(const QFileDevice& file); // the file's own error text
Status notReadToEnd();
// Why a read stopped before the end of the file: the user cancelled it through `busy` (null for a
// read without a notice), or the file ended.
Status stoppedEarly(const BusyNotice* busy);
Status tooManyRecords();

// Record counts are 32-bit; a file that would hold more records is refused.
inline constexpr qint64 MaxRecords = 0x7fffffff;

} // namespace qor::readers

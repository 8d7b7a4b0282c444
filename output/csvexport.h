#pragma once

#include "data/datetime.h"
#include "data/loadeddataset.h"
#include "data/status.h"

#include <QString>
#include <QStringView>

#include <functional>

class QIODevice;

// The CSV export of a recording. Lines end in CR LF; fields are separated by "," with no blanks and
// no quoting. A record's time is the general date-and-time text in the interface language's
// designators, its values the value text of the number with a zero before the point ("0.25").
namespace qor::output {

// Called with the share of the records written so far (0 to 1); returns false to stop the export,
// which then fails with Cancelled.
using ExportProgress = std::function<bool(double fraction)>;

// The routine name that a failed export is logged under.
inline const QString ExportLogLabel = QStringLiteral("in Project1.modFunc_Ran.FuncWriteExcelFile ");

// Only .LOG and .DAT recordings can be exported.
bool isExportable(models::FileKind kind);

// Writes the .LOG file at `dataPath` again: its two 40-byte header strings unchanged, the model's
// heading line (none for a model without one), then one line per whole record after the header,
// with as many values as the .LOG reader reads for the model and option. A trailing fragment is
// passed over. Times start where the reader starts them, at the time the file name gives.
[[nodiscard]] Status writeFileExport(QIODevice& out, const QString& dataPath, const models::ModelTraits& model, QStringView option,
                                     const datetime::AmPm& amPm, const ExportProgress& progress = {});

// Writes the loaded records of a QOR500 or QOR510 slot, or of any .DAT recording: the heading line
// (none for a model without one), then each record's time and the value texts the slot holds.
[[nodiscard]] Status writeMemoryExport(QIODevice& out, const SlotData& slot, const datetime::AmPm& amPm,
                                       const ExportProgress& progress = {});

// Exports `slot` to `outputPath` with the exporter its model takes (the memory exporter for every
// .DAT recording). The file is written under a
// temporary name and takes the place of any file of that name only when it is complete, so a failed
// or cancelled export leaves that file as it was and no partial file behind.
[[nodiscard]] Status FuncWriteExcelFile(const SlotData& slot, const QString& outputPath, const datetime::AmPm& amPm,
                                        const ExportProgress& progress = {});

} // namespace qor::output

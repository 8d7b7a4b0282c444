#pragma once

#include "data/status.h"

#include <QImage>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QTransform>

class QPageLayout;
class QPagedPaintDevice;
class QPrinter;

namespace qor {
class GraphWindow;
}

namespace qor::output {

// Prints the report page of the window's slot on one page of `device` (a printer or a PDF writer),
// laid out on the page's printable area less 200 twips on every side, at most 11000 x 16000 twips
// (16000 x 11000 in landscape).
[[nodiscard]] Status printReportPage(QPagedPaintDevice& device, const GraphWindow& window);

// The same on `printer`; printed into a file, the page goes into a file of its own that replaces
// the named one only once it is complete, so that a failure (a full disk) leaves a former file as
// it was, and is told.
[[nodiscard]] Status printReportPage(QPrinter& printer, const GraphWindow& window);

// Prints the page into the PDF file at `path` on paper of `page` at `resolution` dots per inch,
// through a file of its own that replaces the named one only once it is complete.
[[nodiscard]] Status writeReportPdf(const QString& path, const QPageLayout& page, int resolution, const GraphWindow& window);

// From the page's twips to the device's dots: the page at (200, 200) twips from the printable
// area's corner.
QTransform reportPageTransform(double dotsPerInch);

// Where the preview shows the sheet of a portrait page in `room`: as large as fits, at the top,
// centred.
QRectF previewSheet(QSizeF room);

// The preview of the report page: the window from the corner of its graph on, where the preview
// shows it, light grey, with the sheet of a portrait page in it at previewSheet().
QImage previewImage(const GraphWindow& window);

// Makes the first installed printer whose name, trimmed and in upper case, is `deviceName` in upper
// case the printer `printer` prints on; any other name leaves it as it is. Returns true either way.
bool SelectPrinterByName(QPrinter& printer, const QString& deviceName);

} // namespace qor::output

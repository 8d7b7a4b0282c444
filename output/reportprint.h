#pragma once

#include "data/status.h"

#include <QImage>
#include <QSizeF>
#include <QString>
#include <QTransform>

class QPagedPaintDevice;
class QPrinter;

namespace qor {
class GraphWindow;
}

namespace qor::output {

// Prints the report page of the window's slot on one page of `device` (a printer or a PDF writer):
// the page at (200, 200) twips, stretched to 11000 x 16000 twips, or 16000 x 11000 in landscape.
[[nodiscard]] Status printReportPage(QPagedPaintDevice& device, const GraphWindow& window);

// From the page's twips to the device's dots: the page stretched to 11000 x 16000 twips (16000 x
// 11000 in landscape) at (200, 200) twips from the printable area's corner.
QTransform reportPageTransform(QSizeF pageTwips, double dotsPerInch, bool landscape);

// The preview of the report page at screen pixels, on light grey.
QImage previewImage(const GraphWindow& window);

// Makes the first installed printer whose name, trimmed and in upper case, is `deviceName` in upper
// case the printer `printer` prints on; any other name leaves it as it is. Returns true either way.
bool SelectPrinterByName(QPrinter& printer, const QString& deviceName);

} // namespace qor::output

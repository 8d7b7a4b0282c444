#include "reportprint.h"

#include "reportpage.h"

#include "graph/graphwindow.h"
#include "graph/trendgraph.h"
#include "shell/layoutscaler.h"

#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace qor::output {

namespace {

constexpr double TwipsPerInch = 1440;
constexpr QPointF PageOrigin(200, 200);
constexpr QSizeF PortraitPage(11000, 16000);
const QColor PreviewBackground(0xE0, 0xE0, 0xE0);

} // namespace

Status printReportPage(QPagedPaintDevice& device, const GraphWindow& window)
{
    const ReportLayout layout = layOutReport(ReportKind::Print, reportFactsOf(window));
    QPainter painter;
    if (!painter.begin(&device))
        return Status::failure(StatusCode::WriteFailed, QStringLiteral("The printer could not start the page."));
    const bool landscape = device.pageLayout().orientation() == QPageLayout::Landscape;
    painter.setTransform(reportPageTransform(reportPageSize(window.CWGraph1()->size()), device.logicalDpiX(), landscape));
    paintReport(painter, layout, window, Qt::white);
    if (!painter.end())
        return Status::failure(StatusCode::WriteFailed, QStringLiteral("The page could not be sent to the printer."));
    return {};
}

QTransform reportPageTransform(QSizeF pageTwips, double dotsPerInch, bool landscape)
{
    const QSizeF target = landscape ? PortraitPage.transposed() : PortraitPage;
    const double dotsPerTwip = dotsPerInch / TwipsPerInch;
    QTransform transform;
    transform.scale(dotsPerTwip, dotsPerTwip);
    transform.translate(PageOrigin.x(), PageOrigin.y());
    transform.scale(target.width() / pageTwips.width(), target.height() / pageTwips.height());
    return transform;
}

QImage previewImage(const GraphWindow& window)
{
    const QSizeF page = reportPageSize(window.CWGraph1()->size()) / LayoutScaler::TwipsPerPixel;
    const qreal density = window.devicePixelRatioF();
    QImage image((page * density).toSize(), QImage::Format_RGB32);
    image.setDevicePixelRatio(density);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(1 / LayoutScaler::TwipsPerPixel, 1 / LayoutScaler::TwipsPerPixel);
    paintReport(painter, layOutReport(ReportKind::Preview, reportFactsOf(window)), window, PreviewBackground);
    return image;
}

bool SelectPrinterByName(QPrinter& printer, const QString& deviceName)
{
    const QString wanted = deviceName.toUpper();
    for (const QPrinterInfo& installed : QPrinterInfo::availablePrinters()) {
        if (installed.printerName().trimmed().toUpper() == wanted) {
            printer.setPrinterName(installed.printerName());
            break;
        }
    }
    return true;
}

} // namespace qor::output

#include "reportprint.h"

#include "reportpage.h"
#include "wholefile.h"

#include "graph/graphwindow.h"
#include "graph/trendgraph.h"

#include <QBuffer>
#include <QDir>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPen>
#include <QPrinter>
#include <QPrinterInfo>

namespace qor::output {

namespace {

constexpr double TwipsPerInch = 1440;
constexpr double PageMargin = 200;
const QColor PreviewBackground(0xE0, 0xE0, 0xE0);

// The page on the device's printable area, less the margin on every side.
QSizeF pageOn(const QPagedPaintDevice& device)
{
    const bool landscape = device.pageLayout().orientation() == QPageLayout::Landscape;
    const QSizeF printable(device.width() * TwipsPerInch / device.logicalDpiX(), device.height() * TwipsPerInch / device.logicalDpiY());
    return reportPageSize(landscape).boundedTo(printable - QSizeF(2 * PageMargin, 2 * PageMargin));
}

// A printer or PDF writer seen at the screen's resolution: what is painted on it goes to the
// device's own engine at the device's resolution, but fonts given in points take the size they have
// on the screen, as the graph's do, so that the painter's transform scales them with the page.
class ScreenResolutionView final : public QPaintDevice {
  public:
    ScreenResolutionView(QPaintDevice& device, int screenDpi)
        : m_device(device)
        , m_dpi(screenDpi)
    {
    }

    QPaintEngine* paintEngine() const override { return m_device.paintEngine(); }

  protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return m_dpi;
        case PdmWidth:
            return m_device.width();
        case PdmHeight:
            return m_device.height();
        case PdmWidthMM:
            return m_device.widthMM();
        case PdmHeightMM:
            return m_device.heightMM();
        case PdmNumColors:
            return m_device.colorCount();
        case PdmDepth:
            return m_device.depth();
        case PdmDevicePixelRatio:
            return static_cast<int>(m_device.devicePixelRatio());
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(m_device.devicePixelRatio() * devicePixelRatioFScale());
        default:
            return QPaintDevice::metric(metric);
        }
    }

  private:
    QPaintDevice& m_device;
    int m_dpi;
};

} // namespace

Status writeReportPdf(const QString& path, const QPageLayout& page, int resolution, const GraphWindow& window)
{
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&bytes);
    pdf.setResolution(resolution);
    pdf.setPageLayout(page);
    if (const Status printed = printReportPage(pdf, window); !printed.ok())
        return printed;
    if (const Status saved = saveWholeFile(path, bytes.data()); !saved.ok())
        return Status::failure(saved.code(), QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), saved.message()));
    return {};
}

Status printReportPage(QPagedPaintDevice& device, const GraphWindow& window)
{
    const QSizeF page = pageOn(device);
    const ReportLayout layout = layOutReport(ReportKind::Print, reportFactsOf(window), pageFrameOf(window, page));
    ScreenResolutionView view(device, window.CWGraph1()->logicalDpiY());
    QPainter painter;
    if (!painter.begin(&view))
        return Status::failure(StatusCode::WriteFailed, QStringLiteral("The printer could not start the page."));
    painter.setTransform(reportPageTransform(device.logicalDpiX()));
    paintReport(painter, layout, window, Qt::white, page);
    if (!painter.end())
        return Status::failure(StatusCode::WriteFailed, QStringLiteral("The page could not be sent to the printer."));
    return {};
}

Status printReportPage(QPrinter& printer, const GraphWindow& window)
{
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
        return writeReportPdf(printer.outputFileName(), printer.pageLayout(), printer.resolution(), window);
    return printReportPage(static_cast<QPagedPaintDevice&>(printer), window);
}

QTransform reportPageTransform(double dotsPerInch)
{
    const double dotsPerTwip = dotsPerInch / TwipsPerInch;
    QTransform transform;
    transform.scale(dotsPerTwip, dotsPerTwip);
    transform.translate(PageMargin, PageMargin);
    return transform;
}

QRectF previewSheet(QSizeF room)
{
    const QSizeF sheet = reportPageSize(false) + QSizeF(2 * PageMargin, 2 * PageMargin);
    // A pixel short of the room, so that the paper's edge stays in sight.
    const QSizeF shown = sheet.scaled(room - QSizeF(1, 1), Qt::KeepAspectRatio);
    return {QPointF((room.width() - shown.width()) / 2, 0), shown};
}

QImage previewImage(const GraphWindow& window)
{
    const QWidget& graph = *window.CWGraph1();
    const QSize room = QSize(window.width() - graph.x(), window.height() - graph.y()).expandedTo(QSize(1, 1));
    const qreal density = window.devicePixelRatioF();
    QImage image(room * density, QImage::Format_RGB32);
    image.setDevicePixelRatio(density);
    image.fill(PreviewBackground);
    const QSizeF page = reportPageSize(false);
    const QRectF sheet = previewSheet(room);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.translate(sheet.topLeft());
    painter.scale(sheet.width() / (page.width() + 2 * PageMargin), sheet.height() / (page.height() + 2 * PageMargin));
    painter.translate(PageMargin, PageMargin);
    paintReport(painter, layOutReport(ReportKind::Preview, reportFactsOf(window), pageFrameOf(window, page)), window, PreviewBackground,
                page);
    // The paper's edge, which the grey of the page would not show.
    painter.setPen(QPen(Qt::darkGray, 0));
    painter.drawRect(QRectF(QPointF(-PageMargin, -PageMargin), page + QSizeF(2 * PageMargin, 2 * PageMargin)));
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

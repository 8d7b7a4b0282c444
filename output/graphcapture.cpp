#include "graphcapture.h"

#include "wholefile.h"

#include "graph/graphwindow.h"
#include "graph/trendgraph.h"
#include "shell/layoutscaler.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageWriter>
#include <QLabel>
#include <QPainter>

#include <array>
#include <optional>

namespace qor::output {

namespace {

constexpr std::array InfoLineY{100, 400, 700};
constexpr int GraphY = 1000;

const QByteArray FallbackFormat = QByteArrayLiteral("bmp");

// The format the extension of `path` names, where Qt can write it.
std::optional<QByteArray> writableFormatOf(const QString& path)
{
    const QByteArray extension = QFileInfo(path).suffix().toLower().toLatin1();
    if (extension.isEmpty() || !QImageWriter::supportedImageFormats().contains(extension))
        return std::nullopt;
    return extension;
}

} // namespace

QImage capturePicture(const GraphWindow& window)
{
    const TrendGraph& graph = *window.CWGraph1();
    const QSizeF twips(graph.width() * LayoutScaler::TwipsPerPixel, graph.height() * LayoutScaler::TwipsPerPixel + GraphY);
    const qreal density = window.devicePixelRatioF();
    QImage picture((twips / LayoutScaler::TwipsPerPixel * density).toSize(), QImage::Format_RGB32);
    picture.setDevicePixelRatio(density);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(window.PicPrint()->font());
    painter.setPen(Qt::black);
    for (std::size_t line = 0; line < InfoLineY.size(); ++line) {
        const QPointF at(0, InfoLineY[line] / LayoutScaler::TwipsPerPixel);
        painter.drawText(QRectF(at, QSizeF(graph.width(), GraphY)), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip,
                         window.Label4(static_cast<int>(line))->text());
    }
    painter.translate(0, GraphY / LayoutScaler::TwipsPerPixel);
    graph.paintGraph(painter, QRectF(QPointF(0, 0), graph.size()));
    return picture;
}

QString pictureFileName(const QString& chosen)
{
    return writableFormatOf(chosen) ? chosen : chosen + u'.' + QString::fromLatin1(FallbackFormat);
}

Status savePicture(const QImage& picture, const QString& path)
{
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    QImageWriter writer(&bytes, writableFormatOf(path).value_or(FallbackFormat));
    if (!writer.write(picture))
        return Status::failure(StatusCode::WriteFailed, QStringLiteral("The picture could not be encoded: %1.").arg(writer.errorString()));
    return saveWholeFile(path, bytes.data());
}

} // namespace qor::output

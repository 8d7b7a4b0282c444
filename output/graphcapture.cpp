#include "graphcapture.h"

#include "graph/graphwindow.h"
#include "graph/trendgraph.h"
#include "shell/layoutscaler.h"

#include <QFileInfo>
#include <QLabel>
#include <QPainter>
#include <QSaveFile>

#include <array>

namespace qor::output {

namespace {

constexpr std::array InfoLineY{100, 400, 700};
constexpr int GraphY = 1000;

const char* formatFor(const QString& path)
{
    const QString extension = QFileInfo(path).suffix().toLower();
    if (extension == u"jpg" || extension == u"jpeg")
        return "JPEG";
    if (extension == u"png")
        return "PNG";
    return "BMP";
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

Status savePicture(const QImage& picture, const QString& path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return Status::failure(StatusCode::WriteFailed, QStringLiteral("The file cannot be created: %1.").arg(file.errorString()));
    if (!picture.save(&file, formatFor(path))) {
        file.cancelWriting();
        return Status::failure(StatusCode::WriteFailed, QStringLiteral("The picture could not be written."));
    }
    if (!file.commit())
        return Status::failure(StatusCode::WriteFailed, QStringLiteral("The file could not be completed: %1.").arg(file.errorString()));
    return {};
}

} // namespace qor::output

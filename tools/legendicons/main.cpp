// Draws the legend check marks "Checked.ico" and "Unchecked.ico" into a folder (resources/).
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>

namespace {

QImage box(bool checked)
{
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x50, 0x5a, 0x64), 2.5));
    p.setBrush(QColor(0xfa, 0xfa, 0xfa));
    p.drawRoundedRect(QRectF(4, 4, 24, 24), 4, 4);
    if (checked) {
        QPainterPath tick(QPointF(9, 16.5));
        tick.lineTo(14, 22);
        tick.lineTo(23.5, 10);
        p.setPen(QPen(QColor(0x1e, 0x88, 0xe5), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(tick);
    }
    return image;
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("Usage: qor-legendicons FOLDER\n", stderr);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const bool written = box(true).save(folder + QStringLiteral("/Checked.ico"), "ICO") && box(false).save(folder + QStringLiteral("/Unchecked.ico"), "ICO");
    return written ? 0 : 1;
}

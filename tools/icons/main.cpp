// Draws the pictures the program ships into a folder (resources/): the legend check marks
// "Checked.ico" and "Unchecked.ico", and the program's own icon "qor-trace-reader.png", which is the
// window icon and the icon of the desktop entry.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <cstdio>
#include <functional>

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

// A curve over the icon's plot area, x and y from 0 to 1 (y up).
QPainterPath curve(const QRectF& area, const std::function<double(double)>& y)
{
    QPainterPath path;
    constexpr int steps = 64;
    for (int i = 0; i <= steps; ++i) {
        const double x = double(i) / steps;
        const QPointF point(area.left() + x * area.width(), area.bottom() - y(x) * area.height());
        i == 0 ? path.moveTo(point) : path.lineTo(point);
    }
    return path;
}

// A dark trend graph: a set point that ramps, soaks and cools, the process value following it
// and the output settling, as the recorders' ovens do.
QImage programIcon()
{
    constexpr int size = 256;
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x26, 0x2b, 0x33));
    p.drawRoundedRect(QRectF(8, 8, 240, 240), 36, 36);
    const QRectF area(32, 40, 192, 176);
    p.setPen(QPen(QColor(0x4a, 0x52, 0x5e), 3));
    for (int i = 0; i <= 4; ++i) {
        p.drawLine(QPointF(area.left(), area.top() + i * area.height() / 4), QPointF(area.right(), area.top() + i * area.height() / 4));
        p.drawLine(QPointF(area.left() + i * area.width() / 4, area.top()), QPointF(area.left() + i * area.width() / 4, area.bottom()));
    }
    const auto setPoint = [](double x) { return x < 0.35 ? 0.1 + 2.2 * x : x < 0.7 ? 0.87 : 0.87 - 1.9 * (x - 0.7); };
    const auto processValue = [&](double x) { return setPoint(std::max(0.0, x - 0.06)) - 0.03 * std::sin(18 * x) * std::exp(-3 * x); };
    const auto output = [](double x) { return 0.15 + 0.5 * std::exp(-4 * x) + 0.08 * std::sin(9 * x); };
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x42, 0xa5, 0xf5), 8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(curve(area, output));
    p.setPen(QPen(QColor(0x66, 0xbb, 0x6a), 8, Qt::DashLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(curve(area, setPoint));
    p.setPen(QPen(QColor(0xef, 0x53, 0x50), 12, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(curve(area, processValue));
    return image;
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("Usage: qor-icons FOLDER\n", stderr);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const bool written = box(true).save(folder + QStringLiteral("/Checked.ico"), "ICO") &&
                         box(false).save(folder + QStringLiteral("/Unchecked.ico"), "ICO") &&
                         programIcon().save(folder + QStringLiteral("/qor-trace-reader.png"), "PNG");
    return written ? 0 : 1;
}

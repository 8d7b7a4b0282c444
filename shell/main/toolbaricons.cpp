#include "toolbaricons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace qor {

namespace {

constexpr int Size = 64; // drawn large, so the icons stay sharp on high-DPI screens

const QColor Ink(0x30, 0x3a, 0x48);
const QColor Accent(0x1e, 0x88, 0xe5);
const QColor Warm(0xe5, 0x6b, 0x1e);
const QColor Paper(0xfa, 0xfa, 0xfa);

QPen pen(const QColor& color, double width = 4)
{
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void trend(QPainter& p, const QColor& color, double top)
{
    QPainterPath path(QPointF(8, top + 24));
    path.cubicTo(20, top - 4, 30, top + 30, 42, top + 6);
    path.lineTo(56, top + 12);
    p.setPen(pen(color));
    p.drawPath(path);
}

void magnifier(QPainter& p, bool plus, bool minus)
{
    p.setPen(pen(Ink, 5));
    p.drawEllipse(QPointF(26, 26), 16, 16);
    p.drawLine(QPointF(38, 38), QPointF(56, 56));
    p.setPen(pen(Accent, 5));
    if (plus || minus)
        p.drawLine(QPointF(18, 26), QPointF(34, 26));
    if (plus)
        p.drawLine(QPointF(26, 18), QPointF(26, 34));
}

void sheet(QPainter& p)
{
    p.setPen(pen(Ink, 3));
    p.setBrush(Paper);
    p.drawRoundedRect(QRectF(12, 6, 40, 52), 4, 4);
    p.setBrush(Qt::NoBrush);
}

void drawOpen(QPainter& p)
{
    p.setPen(pen(Ink, 3));
    p.setBrush(QColor(0xff, 0xc8, 0x57));
    p.drawPolygon(QPolygonF({QPointF(6, 16), QPointF(24, 16), QPointF(30, 22), QPointF(58, 22), QPointF(58, 54), QPointF(6, 54)}));
    p.setBrush(QColor(0xff, 0xdc, 0x8a));
    p.drawPolygon(QPolygonF({QPointF(6, 54), QPointF(14, 30), QPointF(62, 30), QPointF(58, 54)}));
}

void drawPrint(QPainter& p)
{
    p.setPen(pen(Ink, 3));
    p.setBrush(Paper);
    p.drawRect(QRectF(18, 6, 28, 18));
    p.setBrush(QColor(0xb0, 0xbe, 0xc5));
    p.drawRoundedRect(QRectF(6, 22, 52, 24), 4, 4);
    p.setBrush(Paper);
    p.drawRect(QRectF(18, 38, 28, 20));
    p.setPen(pen(Accent, 3));
    p.drawLine(QPointF(23, 46), QPointF(41, 46));
}

void drawCapture(QPainter& p)
{
    p.setPen(pen(Ink, 3));
    p.setBrush(QColor(0xb0, 0xbe, 0xc5));
    p.drawRoundedRect(QRectF(6, 18, 52, 36), 6, 6);
    p.drawRect(QRectF(22, 10, 20, 8));
    p.setBrush(Paper);
    p.drawEllipse(QPointF(32, 36), 11, 11);
    p.setBrush(Accent);
    p.drawEllipse(QPointF(32, 36), 5, 5);
}

void drawInfo(QPainter& p)
{
    p.setPen(pen(Accent, 4));
    p.setBrush(Paper);
    p.drawEllipse(QPointF(32, 32), 25, 25);
    p.setPen(pen(Accent, 6));
    p.drawLine(QPointF(32, 28), QPointF(32, 46));
    p.drawPoint(QPointF(32, 18));
}

void drawExport(QPainter& p)
{
    sheet(p);
    p.setPen(pen(QColor(0x2e, 0x7d, 0x32), 3));
    for (int y : {18, 28, 38, 48})
        p.drawLine(QPointF(18, y), QPointF(46, y));
    p.drawLine(QPointF(30, 14), QPointF(30, 52));
}

void drawStyle(QPainter& p)
{
    p.setPen(pen(Ink, 3));
    p.setBrush(Paper);
    p.drawEllipse(QPointF(32, 32), 25, 25);
    QPainterPath dark;
    dark.moveTo(32, 7);
    dark.arcTo(QRectF(7, 7, 50, 50), 90, 180);
    dark.closeSubpath();
    p.setBrush(Ink);
    p.drawPath(dark);
}

void drawWave(QPainter& p)
{
    p.setPen(pen(Ink, 3));
    p.drawLine(QPointF(8, 8), QPointF(8, 56));
    p.drawLine(QPointF(8, 56), QPointF(58, 56));
    trend(p, Accent, 18);
    trend(p, Warm, 28);
}

void drawDigits(QPainter& p)
{
    sheet(p);
    QFont font;
    font.setPixelSize(14);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Ink);
    p.drawText(QRectF(14, 10, 36, 46), Qt::AlignCenter, QStringLiteral("12.5\n40.0\n3.7"));
}

void drawWhole(QPainter& p)
{
    p.setPen(pen(Ink, 4));
    for (const auto& [a, b, c] :
         {std::tuple{QPointF(6, 20), QPointF(6, 6), QPointF(20, 6)}, std::tuple{QPointF(44, 6), QPointF(58, 6), QPointF(58, 20)},
          std::tuple{QPointF(58, 44), QPointF(58, 58), QPointF(44, 58)}, std::tuple{QPointF(20, 58), QPointF(6, 58), QPointF(6, 44)}})
        p.drawPolyline(QPolygonF({a, b, c}));
    trend(p, Accent, 20);
}

void drawSettings(QPainter& p)
{
    p.setPen(pen(Ink, 3));
    for (int i = 0; i < 3; ++i) {
        const double y = 14 + i * 18;
        p.drawLine(QPointF(8, y), QPointF(56, y));
        p.setBrush(i == 1 ? Warm : Accent);
        p.drawEllipse(QPointF(16 + i * 14, y), 6, 6);
    }
}

void drawSearch(QPainter& p)
{
    p.setPen(pen(Ink, 3));
    p.setBrush(Paper);
    p.drawEllipse(QPointF(26, 26), 18, 18);
    p.drawLine(QPointF(26, 26), QPointF(26, 14));
    p.drawLine(QPointF(26, 26), QPointF(35, 30));
    p.setPen(pen(Ink, 5));
    p.drawLine(QPointF(40, 40), QPointF(56, 56));
}

void drawCombine(QPainter& p)
{
    trend(p, Accent, 8);
    trend(p, Warm, 20);
    trend(p, QColor(0x2e, 0x7d, 0x32), 32);
}

void drawSplit(QPainter& p)
{
    sheet(p);
    p.setPen(QPen(Warm, 3, Qt::DashLine));
    p.drawLine(QPointF(4, 32), QPointF(60, 32));
}

const std::function<void(QPainter&)>& painterOf(int index)
{
    static const std::function<void(QPainter&)> painters[] = {
        drawOpen,
        drawPrint,
        drawCapture,
        drawInfo,
        drawExport,
        drawStyle,
        drawWave,
        drawDigits,
        drawWhole,
        [](QPainter& p) { magnifier(p, true, false); },
        [](QPainter& p) { magnifier(p, false, true); },
        drawSettings,
        drawSearch,
        drawCombine,
        drawSplit,
    };
    return painters[index - 1];
}

} // namespace

QIcon toolbarIcon(int index)
{
    QPixmap pixmap(Size, Size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painterOf(index)(painter);
    painter.end();
    return QIcon(pixmap);
}

} // namespace qor

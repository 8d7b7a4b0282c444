#include "windowstate.h"

#include "shell/graphsettings.h"
#include "shell/inifile.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <cstdlib>

namespace qor {

namespace {

constexpr QStringView Section = u"MainWindow";
constexpr int ReadBuffer = 64;
// A window smaller than this, or showing less of itself on every screen, is not restored.
constexpr QSize SmallestWindow(320, 200);
constexpr QSize LeastOnScreen(120, 60);
// Coordinates beyond this are no place any screen has; refusing them keeps the arithmetic of
// rectangles far from overflowing.
constexpr int LargestCoordinate = 1'000'000;
// The room left above the window for the title bar that the window manager adds, so that the
// window can always be moved and closed.
constexpr int TitleBarRoom = 40;

bool isSane(int value)
{
    return std::abs(value) <= LargestCoordinate;
}

std::optional<QRect> rectFromText(const QString& text)
{
    const QStringList parts = text.split(u',');
    if (parts.size() != 4)
        return std::nullopt;
    int values[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        values[i] = parts[i].trimmed().toInt(&ok);
        if (!ok || !isSane(values[i]))
            return std::nullopt;
    }
    return QRect(values[0], values[1], values[2], values[3]);
}

// The available area of the screen that shows most of the window; none when the window is too
// small or no screen shows enough of it (a monitor that was unplugged).
std::optional<QRect> screenAreaShowing(const QRect& geometry)
{
    if (geometry.width() < SmallestWindow.width() || geometry.height() < SmallestWindow.height())
        return std::nullopt;
    std::optional<QRect> best;
    qint64 bestShown = 0;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect shown = screen->availableGeometry().intersected(geometry);
        const qint64 shownArea = qint64(shown.width()) * shown.height();
        if (shown.width() >= LeastOnScreen.width() && shown.height() >= LeastOnScreen.height() && shownArea > bestShown) {
            best = screen->availableGeometry();
            bestShown = shownArea;
        }
    }
    return best;
}

// The window moved, and shrunk where it is larger, into the area below the title bar's room.
QRect fittedInto(const QRect& area, QRect geometry)
{
    const QRect room = area.adjusted(0, TitleBarRoom, 0, 0);
    geometry.setSize(geometry.size().boundedTo(room.size()));
    geometry.moveLeft(std::clamp(geometry.left(), room.left(), room.right() + 1 - geometry.width()));
    geometry.moveTop(std::clamp(geometry.top(), room.top(), room.bottom() + 1 - geometry.height()));
    return geometry;
}

// The place as a screen shows it whole, title bar included; none when no screen shows it.
std::optional<QRect> fittedToAScreen(const QRect& geometry)
{
    const std::optional<QRect> area = screenAreaShowing(geometry);
    return area ? std::optional(fittedInto(*area, geometry)) : std::nullopt;
}

} // namespace

std::optional<WindowState> rememberedWindowState()
{
    const IniSnapshot file(graphSettingsPath());
    const std::optional<QRect> geometry = rectFromText(file.read(Section, u"Geometry", ReadBuffer));
    const std::optional<QRect> fitted = geometry ? fittedToAScreen(*geometry) : std::nullopt;
    if (!fitted)
        return std::nullopt;
    return WindowState{*fitted, file.read(Section, u"Maximized", ReadBuffer).trimmed() == u"1"};
}

// Only a place that a screen shows is kept, and as the next start would show it.
void rememberWindowState(const QWidget& window)
{
    const std::optional<QRect> fitted = fittedToAScreen(window.normalGeometry());
    if (!fitted)
        return;
    const QRect geometry = *fitted;
    saveSetting(Section, u"Geometry",
                QStringLiteral("%1,%2,%3,%4").arg(geometry.x()).arg(geometry.y()).arg(geometry.width()).arg(geometry.height()));
    saveSetting(Section, u"Maximized", window.isMaximized() ? QStringLiteral("1") : QStringLiteral("0"));
}

void showInRememberedState(QWidget& window)
{
    const std::optional<WindowState> state = rememberedWindowState();
    if (state)
        window.setGeometry(state->normalGeometry);
    if (state && state->maximized)
        window.showMaximized();
    else
        window.show();
}

} // namespace qor

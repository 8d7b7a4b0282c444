#include "windowstate.h"

#include "shell/graphsettings.h"
#include "shell/inifile.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace qor {

namespace {

constexpr QStringView Section = u"MainWindow";
constexpr int ReadBuffer = 64;
// A window smaller than this, or showing less of itself on every screen, is not restored.
constexpr QSize SmallestWindow(320, 200);
constexpr QSize LeastOnScreen(120, 60);

std::optional<QRect> rectFromText(const QString& text)
{
    const QStringList parts = text.split(u',');
    if (parts.size() != 4)
        return std::nullopt;
    int values[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        values[i] = parts[i].trimmed().toInt(&ok);
        if (!ok)
            return std::nullopt;
    }
    return QRect(values[0], values[1], values[2], values[3]);
}

bool fitsAScreen(const QRect& geometry)
{
    if (geometry.width() < SmallestWindow.width() || geometry.height() < SmallestWindow.height())
        return false;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect shown = screen->availableGeometry().intersected(geometry);
        if (shown.width() >= LeastOnScreen.width() && shown.height() >= LeastOnScreen.height())
            return true;
    }
    return false;
}

} // namespace

std::optional<WindowState> rememberedWindowState()
{
    const IniFile file(graphSettingsPath());
    const std::optional<QRect> geometry = rectFromText(file.read(Section, u"Geometry", ReadBuffer));
    if (!geometry || !fitsAScreen(*geometry))
        return std::nullopt;
    return WindowState{*geometry, file.read(Section, u"Maximized", ReadBuffer).trimmed() == u"1"};
}

void rememberWindowState(const QWidget& window)
{
    const QRect geometry = window.normalGeometry();
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

#pragma once

#include <QRect>

#include <optional>

class QWidget;

namespace qor {

// The main window's place between runs: its size and position when not maximised, and whether it
// was maximised, kept in the settings file's [MainWindow] section.
struct WindowState {
    QRect normalGeometry;
    bool maximized = false;
};

// The state the last run left, its place moved and shrunk into the available area of the screen
// that shows most of it, with room for the title bar above; nullopt when the file holds none, or
// none that a screen shows now (a monitor that was unplugged), so that the window takes its default
// place.
std::optional<WindowState> rememberedWindowState();
// Keeps the window's state for the next run, its place fitted as above; a place that no screen
// shows is not kept.
void rememberWindowState(const QWidget& window);

// Shows the window where the last run left it, or at its default place.
void showInRememberedState(QWidget& window);

} // namespace qor

#pragma once

#include <QPointer>
#include <QSizeF>
#include <QString>
#include <QWidget>

#include <vector>

namespace qor {

// Stretches a window's controls with the window. The window is laid out once at its reference
// size; every resize then sets each control's position, size and font size to the recorded ones
// times the window's size over the reference size, so repeated resizing never accumulates
// rounding. Combo boxes keep their height. Sizes are in twips, 15 to a pixel of 96 dpi. A font
// shrinks with its window no further than MinimumPointSize (a smaller recorded size stays as it
// is), so that a window made small, as tiling several does, keeps readable texts.
class LayoutScaler {
  public:
    static constexpr double TwipsPerPixel = 15.0;
    static constexpr double MinimumPointSize = 7.0;

    // A control with this property set true is placed by its owner (the statistics list below the
    // legend): the scaling leaves its place, and that of its parts, alone and scales its font only.
    static constexpr const char* OwnPlaceProperty = "qorOwnPlace";

    // `referenceTwips` is the window's fixed reference size, a constant of the window.
    LayoutScaler(QWidget* window, QSizeF referenceTwips);

    // Records the geometry and font size of every control of the window, in enumeration order.
    void SaveSizes();
    // Rescales every recorded control for the window's current outer size; does nothing while
    // the window is minimised.
    void ResizeControls();

    QSizeF referenceTwips() const { return m_reference; }

  private:
    struct Recorded {
        QPointer<QWidget> control;
        QRectF twips;
        double fontSize = 0; // 0: the control has no font size of its own to follow
        bool ownPlace = false;
    };

    QSizeF currentScale() const;

    QWidget* m_window;
    QSizeF m_reference;
    std::vector<Recorded> m_controls;
};

} // namespace qor

#pragma once

#include "shell/layoutscaler.h"

#include <QPointer>
#include <QWidget>

class QMdiSubWindow;

namespace qor {

// What the table windows share: each belongs to a slot, which becomes the current one when the
// window is activated (inside the main window's MDI area, through the sub-window that holds it); a
// close request only hides the window, which lives as long as the program; and its controls follow
// the window's size from the layout at the reference size.
class SlotTableForm : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SlotTableForm)

  public:
    int slot() const { return m_slot; }
    // Makes the window's slot the current one.
    void Activate();

  protected:
    SlotTableForm(int slot, QSizeF referenceTwips, QWidget* parent);

    // Records the layout of the controls; called once they stand at the reference size.
    void saveReferenceLayout() { m_scaler.SaveSizes(); }
    // The window's sub-window, or the window itself outside an MDI area.
    QWidget* frame() const;

    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void followSubWindow();

    int m_slot;
    LayoutScaler m_scaler;
    QPointer<QMdiSubWindow> m_subWindow;
};

} // namespace qor

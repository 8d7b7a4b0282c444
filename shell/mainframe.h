#pragma once

#include <QString>

namespace qor {

// What the graph and table windows ask of the main window, so that they never include it. The
// main window owns the commands: which are enabled follows the program's mode (programmodes.h),
// which the windows change only through the facts it is computed from.
class MainFrame {
  public:
    virtual ~MainFrame() = default;

    // Something the mode follows from changed (a file was shown or closed, a report page, the
    // combined view, a busy notice): every command takes the state of the mode now in force, the
    // window list shows the slots in use and the check marks the current slot's view.
    virtual void updateCommands() = 0;
    // Check mark of a menu item ("MT_AbsTime", "MVL_Thick").
    virtual void setMenuChecked(const QString& name, bool checked) = 0;
    // Status-bar panel 1 reads "1" while the combined view is shown.
    virtual bool combinedViewActive() const = 0;
    virtual void setCombinedViewActive(bool active) = 0;
    // The window list command: checks item `slot` (1 or 2) and shows that slot's graph window.
    virtual void showSlotWindow(int slot) = 0;
    virtual bool isMaximized() const = 0;
};

// The main window, once it exists; nullptr before (and in tests of single windows).
MainFrame* mainFrame();
void setMainFrame(MainFrame* frame);

} // namespace qor

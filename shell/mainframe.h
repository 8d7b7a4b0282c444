#pragma once

#include <QString>

#include <array>

namespace qor {

// What the graph and table windows ask of the main window, so that they never include it: enable
// a command, set a check mark, read the combined-view flag. Menu items are named by their object
// names ("MF_Print", "M_TimeAxis", "MT_AbsTime"), toolbar buttons by their index 1 to 15.
// The menus that the report state of a print preview switches off, and its end on again.
inline constexpr std::array ReportStateMenus{"M_TimeAxis", "M_View",       "M_YGrid", "M_XGrid",
                                             "M_Window",   "M_DisplaySet", "MF_Open", "MF_FileInfo"};

class MainFrame {
  public:
    virtual ~MainFrame() = default;

    virtual void setMenuEnabled(const QString& name, bool enabled) = 0;
    virtual void setMenuChecked(const QString& name, bool checked) = 0;
    virtual void setButtonEnabled(int index, bool enabled) = 0;
    // The commands that need an open file: the file menu's information, capture, export, preview
    // and print items, toolbar buttons 2 to 13, and the top menus time axis, view, Y grid, X grid,
    // window and display settings.
    virtual void setFileCommandsEnabled(bool enabled) = 0;
    // Status-bar panel 1 reads "1" while the combined view is shown.
    virtual bool combinedViewActive() const = 0;
    virtual void setCombinedViewActive(bool active) = 0;
    // The window list command: checks item `slot` (1 or 2) and shows that slot's graph window.
    virtual void showSlotWindow(int slot) = 0;
    // Window list item `n` (1 or 2): the upper-cased path of the slot's file; hidden without one.
    virtual void setWindowListCaption(int n, const QString& path) = 0;
    virtual bool isMaximized() const = 0;
};

// The main window, once it exists; nullptr before (and in tests of single windows).
MainFrame* mainFrame();
void setMainFrame(MainFrame* frame);

} // namespace qor

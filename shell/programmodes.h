#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

namespace qor {

// What the program is doing, as its commands see it. Each mode enables a fixed set of the main
// window's commands: the menu items by their object names ("MF_Open", "M_View"), the toolbar
// buttons as "Button1" to "Button15", and the recent-files submenu as "MF_Recent". Check marks
// follow the view of the current slot's graph window and the window list follows the slots in use,
// in every mode, so the mode decides only what is enabled.
enum class ProgramMode {
    Started,        // as the program starts: no file opened yet, the combined view not entered
    NoFile,         // no slot holds a file and the combined view is not shown
    GraphActive,    // a file is open and a slot's graph window is the active window
    TableActive,    // a file is open and a table window (or no window) is the active one
    Preview,        // the active graph window shows the report page
    CombinedChosen, // the combined view is shown with nothing drawn
    CombinedBuilt,  // the combined view shows its files
    Busy,           // a file is being read or exported
};

// The facts the mode follows from. The first that holds decides: busy, preview, the combined
// view, then whether a file is open and what kind of window is active.
struct ProgramFacts {
    bool used = false; // a file was open, or the combined view shown, at some time of the run
    bool busy = false;
    bool preview = false;
    bool combinedView = false;
    bool combinedBuilt = false;
    bool fileOpen = false;
    bool graphActive = false;
};

ProgramMode modeOf(const ProgramFacts& facts);

// Whether `command` is enabled in `mode`; a command the table does not name never is.
bool commandEnabled(ProgramMode mode, QStringView command);

// Every command the table names, in menu and toolbar order.
QStringList modeCommands();

// The mode's name, for messages: "NoFile", "GraphActive", ...
QString modeName(ProgramMode mode);

} // namespace qor

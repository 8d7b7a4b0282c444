#pragma once

#include "data/recordingopener.h"

#include <QPointer>
#include <QString>

#include <vector>

class QAction;
class QMdiSubWindow;
class QWidget;

namespace qor {

class GraphWindow;
class MainWindow;

// The open command: picks a recorded file (or takes one named on the command line or dropped on the
// main window), chooses slot 1 or 2 for it, reads it into a record of its own and, when the read
// succeeded, makes it the slot's file and prepares the slot's graph and table windows and the main
// window's commands for it. A failed, refused or cancelled open leaves the slot, its windows, the
// window list and the menus as they were before the command.
class OpenFlow {
  public:
    explicit OpenFlow(MainWindow& mainWindow);

    // MF_Open: asks for a file, then opens it.
    void MF_Open();
    // Opens `path` into the slot the open command chooses; false when nothing was opened.
    bool open(const QString& path);
    // Makes a recording read elsewhere (the --render command) the file of the slot the open command
    // chooses, as a successful open does.
    void show(OpenedRecording& opened);

  private:
    // What the read of a file may change before it is known to succeed.
    struct Before {
        bool windowShown = false;
        bool slotLoaded = false;
        qint16 fileNo = 1;
        QPointer<QMdiSubWindow> active;
        struct Command {
            QPointer<QAction> action;
            bool enabled, checked, visible;
            QString text;
        };
        std::vector<Command> commands;
    };

    bool openChecked(const QString& path);
    int chooseSlot() const;
    Before stateBefore(int slot) const;
    void restore(int slot, const Before& before);
    void take(int slot, GraphWindow& window, OpenedRecording& opened);
    void finish(int slot, GraphWindow& window);

    MainWindow& m_main;
};

// Tells the user why a recording could not be opened, with the message the open command shows.
void tellOpenFailure(QWidget* parent, const OpenedRecording& opened);

} // namespace qor

#pragma once

#include "data/recordingopener.h"

#include <QList>
#include <QPointer>
#include <QString>

#include <optional>

class QMdiSubWindow;
class QWidget;

namespace qor {

struct OpenFailure;

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
    // Opens the files one after the other (files named at start-up, dropped or handed over); the
    // failures are told together once every file was tried.
    void openAll(const QStringList& paths);

  private:
    // Which window the read of a file shows and activates before it is known to succeed; the
    // slots, and so the mode and the commands, change only when it did.
    struct Before {
        bool windowShown = false;
        qint16 fileNo = 1;
        QPointer<QMdiSubWindow> active;
    };

    bool open(const QString& path, QList<OpenFailure>& failures);
    Status openChecked(const QString& path);
    int chooseSlot() const;
    Before stateBefore(int slot) const;
    void restore(int slot, const Before& before);
    void take(int slot, GraphWindow& window, OpenedRecording& opened);
    void finish(int slot, GraphWindow& window);

    MainWindow& m_main;
};

// What the user is told of a file that was not opened: the message, its title and the cause.
struct OpenFailure {
    QString path;
    QString text;
    QString title;
    QString reason;
};

// The failure to tell for a read that ended with `status`; none where the user has spoken already
// (a cancelled read or model choice).
std::optional<OpenFailure> openFailure(const QString& path, const Status& status);
// Each message names its file: one failure with its own words, several in one message.
void tellOpenFailures(QWidget* parent, const QList<OpenFailure>& failures);
// Tells the user why a recording could not be opened, with the message the open command shows.
void tellOpenFailure(QWidget* parent, const OpenedRecording& opened);

} // namespace qor

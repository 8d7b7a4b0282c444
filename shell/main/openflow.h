#pragma once

#include <QString>

namespace qor {

class GraphWindow;
class MainWindow;
struct SlotData;

// The open command: picks a recorded file (or takes one named on the command line or dropped on the
// main window), chooses slot 1 or 2 for it, recognises its kind and model, reads it, and prepares
// the slot's graph and table windows and the main window's commands for it.
class OpenFlow {
public:
    explicit OpenFlow(MainWindow& mainWindow);

    // MF_Open: asks for a file, then opens it.
    void MF_Open();
    // Opens `path` into the slot the open command chooses; false when nothing was opened.
    bool open(const QString& path);

private:
    int chooseSlot() const;
    bool readInto(int slot, const QString& path);
    bool recogniseCsv(int slot, const QString& path, GraphWindow& window);
    void prepareWindow(int slot, GraphWindow& window);
    void showChannels(GraphWindow& window, int count);
    void finish(int slot, GraphWindow& window);
    void abandon(int slot);
    void fail(int slot, const QString& message, const QString& title);

    MainWindow& m_main;
};

} // namespace qor

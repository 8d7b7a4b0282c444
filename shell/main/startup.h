#pragma once

#include <QStringList>

#include <memory>

class QLockFile;

namespace qor {

class InstanceChannel;
class MainWindow;

// The start of the program: settings, string table, the check for a running copy, the main window.
// Of the copies a user starts, the one holding the instance lock runs; a later start hands its
// files to it and ends.
class Startup {
  public:
    enum class Outcome {
        Started,    // this copy runs
        HandedOver, // the running copy took the files and came to the front
        Refused,    // the running copy could not be reached; the user was told that it runs
    };

    Startup();
    ~Startup();

    // Reads the settings beside the program and loads the string table of their language, then
    // shows the main window with `files` open, or hands `files` to the copy that runs already.
    Outcome run(const QStringList& files);

    MainWindow* mainWindow() const { return m_mainWindow.get(); }
    // The channel through which later starts hand over their files; only the running copy has one.
    InstanceChannel* instanceChannel() const { return m_channel.get(); }

  private:
    Outcome handOver(const QStringList& files);
    void listenForLaterStarts();
    void takeHandedOver(const QStringList& files);
    void openHandedOverWhenFree();

    std::unique_ptr<QLockFile> m_instanceLock;
    std::unique_ptr<MainWindow> m_mainWindow;
    std::unique_ptr<InstanceChannel> m_channel;
    QStringList m_handedOver; // files handed over and not yet opened
};

} // namespace qor

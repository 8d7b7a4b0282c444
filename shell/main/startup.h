#pragma once

#include <memory>

class QLockFile;

namespace qor {

class MainWindow;

// The start of the program: settings, string table, the check for a running copy, the main window.
class Startup {
  public:
    Startup();
    ~Startup();

    // Reads the settings beside the program and loads the string table of their language. Returns
    // false, after telling the user, when another copy of the program is already running.
    bool run();

    MainWindow* mainWindow() const { return m_mainWindow.get(); }

  private:
    std::unique_ptr<QLockFile> m_instanceLock;
    std::unique_ptr<MainWindow> m_mainWindow;
};

} // namespace qor

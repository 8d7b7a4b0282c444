#pragma once

#include "openflow.h"
#include "viewcommands.h"

#include "shell/mainframe.h"
#include "shell/programmodes.h"

#include <QHash>
#include <QMainWindow>

#include <array>

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;

namespace qor {
class GraphWindow;
}

namespace qor {

// The main window "MDIForm1": the menu tree, the toolbar of fifteen buttons, the status bar whose
// first panel is the combined-view flag, and the area in which the graph and table windows live.
// Every menu item and toolbar button is a QAction whose object name is the command's name
// ("MF_Open", "MT_DataFind"; buttons "Button1" to "Button15").
class MainWindow final : public QMainWindow, public MainFrame {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MainWindow)

  public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    QAction* command(const QString& name) const;
    QAction* button(int index) const;
    QMdiArea* mdiArea() const { return m_mdiArea; }
    QString statusPanel1() const;

    // Menu and toolbar captions and the language check marks from the string table.
    void ApplyMainStrings();
    // The language commands: "KOR", "ENG" or "CHR".
    void chooseLanguage(const QString& langCode);
    // Opens a recorded file as the open command does (files named at start-up, dropped files).
    bool openFile(const QString& path) { return m_openFlow.open(path); }
    // Opens the files one after the other, into slot 1 and then slot 2 when both are free.
    void openFiles(const QStringList& paths);
    ViewCommands& viewCommands() { return m_viewCommands; }
    // Every menu item and toolbar button.
    QList<QAction*> allCommands() const;
    // The File menu's list of the recordings opened last; a successful open puts its file first.
    QMenu* recentFilesMenu() const { return m_recentMenu; }
    void rememberRecentFile(const QString& path);

    // The mode the program is in now, from the state of its windows and slots.
    ProgramMode mode() const;
    void updateCommands() override;
    void setMenuChecked(const QString& name, bool checked) override;
    bool combinedViewActive() const override;
    void setCombinedViewActive(bool active) override;
    void showSlotWindow(int slot) override;
    bool isMaximized() const override;

  protected:
    // Closing ends the program; the window's place is kept for the next run.
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  Q_SIGNALS:
    // The language changed; windows apply the string table again.
    void languageChanged();

  private:
    void buildMenus();
    void buildToolbar();
    void createSlotWindows();
    void addSlotWindows(int slot, GraphWindow* graph, QWidget* table, QSizeF tableTwips);
    void subWindowActivated(QMdiSubWindow* window);
    // Ends the report page of every graph window but `except`.
    void endReportViews(const GraphWindow* except);
    GraphWindow* activeGraphWindow() const;
    void showWindowList();
    void applyStringsToWindows();
    void applyDisplaySettings();
    void showTimeSearch();
    void showWholeRange();
    void connectCommands();
    void onButton(int index, void (MainWindow::*handler)());
    void showCurrentWindow(QWidget* window);
    void showGraphWindow();
    void showTableWindow();
    void enterCombinedView();
    void startFileSplitter();
    void showAbout();
    void showRecentFiles(const QStringList& paths);
    void openRecentFile(const QString& path);
    void showDisplaySettings();
    void showFileInformation();
    void setCheckedLanguage(const QString& langCode);

    OpenFlow m_openFlow{*this};
    ViewCommands m_viewCommands{*this};
    QMdiArea* m_mdiArea;
    QLabel* m_statusPanel1;
    bool m_combinedViewActive = false;
    bool m_used = false; // a file was open, or the combined view shown

    QHash<QString, QAction*> m_commands;
    QHash<QString, QMenu*> m_menus;
    QMenu* m_recentMenu = nullptr;
    std::array<QAction*, 15> m_buttons{};
};

} // namespace qor

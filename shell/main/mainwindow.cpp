#include "mainwindow.h"

#include "displaysettingswindow.h"
#include "exportcommand.h"
#include "fileinfowindow.h"
#include "mainmenus.h"
#include "qttranslations.h"
#include "reportcommands.h"
#include "subwindowsize.h"
#include "toolbaricons.h"
#include "windowstate.h"

#include "data/interfacelanguage.h"
#include "data/loadeddataset.h"
#include "graph/combinedgraphwindow.h"
#include "graph/graphwindow.h"
#include "graph/timeslider.h"
#include "graph/trendgraph.h"
#include "shell/apppath.h"
#include "shell/graphsettings.h"
#include "shell/layoutscaler.h"
#include "shell/programstate.h"
#include "shell/prompts.h"
#include "shell/recentfiles.h"
#include "shell/slotwindows.h"
#include "shell/stringtable.h"
#include "table/combinedtablewindow.h"
#include "table/datafindwindow.h"
#include "table/tablewindow.h"

#include <QAction>
#include <QActionGroup>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QProcess>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

namespace qor {

namespace {

// The menus that need an open file, and are switched off in the combined view.

const QString LanguageCommand = QStringLiteral("MV_Language_");

QString splitterProgram()
{
#if defined(Q_OS_WIN)
    return ProgramPath() + QStringLiteral("QorSplit.exe");
#else
    return ProgramPath() + QStringLiteral("QorSplit");
#endif
}

} // namespace

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent)
    , m_mdiArea(new QMdiArea(this))
    , m_statusPanel1(new QLabel(this))
{
    setObjectName(QStringLiteral("MDIForm1"));
    setWindowTitle(QStringLiteral("QOR Trace Reader"));
    setCentralWidget(m_mdiArea);
    m_mdiArea->setObjectName(QStringLiteral("MDIClient"));
    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    m_statusPanel1->setObjectName(QStringLiteral("Panel1"));
    m_statusPanel1->setMinimumWidth(40);
    statusBar()->addWidget(m_statusPanel1);
    buildMenus();
    buildToolbar();
    connectCommands();
    setMainFrame(this);
    loadedData().FileNo = 1;
    ApplyMainStrings();
    createSlotWindows();
    updateCommands();
    setAcceptDrops(true);
    resize(1200, 800);
}

// The sub-windows outlive this destructor (the MDI area deletes them after it), so their activation
// must no longer reach a half-destroyed main window, and nothing may find their windows any more.
MainWindow::~MainWindow()
{
    disconnect(m_mdiArea, nullptr, this, nullptr);
    if (mainFrame() == this)
        setMainFrame(nullptr);
    for (int slot = 1; slot <= LoadedDataSet::SlotCount; ++slot) {
        setGraphForm(slot, nullptr);
        setTableForm(slot, nullptr);
    }
}

QList<QAction*> MainWindow::allCommands() const
{
    QList<QAction*> all = m_commands.values();
    for (QAction* button : m_buttons)
        all << button;
    return all;
}

// The graph and table windows of slots 1 and 2 live, hidden until a file is opened, for the whole
// run, and so do the combined windows of slot 3, loaded when the combined view opens; closing one
// hides it.
void MainWindow::createSlotWindows()
{
    for (int slot = 1; slot <= 2; ++slot) {
        auto* graph = new GraphWindow(slot);
        auto* table = new TableWindow(slot);
        addSlotWindows(slot, graph, table, {TableWindow::ReferenceWidth, TableWindow::ReferenceHeight});
        graph->load();
        table->Load();
    }
    addSlotWindows(CombinedGraphWindow::Slot, new CombinedGraphWindow, new CombinedTableWindow,
                   {CombinedTableWindow::ReferenceWidth, CombinedTableWindow::ReferenceHeight});
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, &MainWindow::subWindowActivated);
    connect(this, &MainWindow::languageChanged, this, &MainWindow::applyStringsToWindows);
}

void MainWindow::addSlotWindows(int slot, GraphWindow* graph, QWidget* table, QSizeF tableTwips)
{
    setGraphForm(slot, graph);
    setTableForm(slot, table);
    const std::array<std::pair<QWidget*, QSizeF>, 2> windows = {
        {{graph, {GraphWindow::ReferenceWidth, GraphWindow::ReferenceHeight}}, {table, tableTwips}}};
    for (const auto& [window, designTwips] : windows) {
        auto* sub = new SlotSubWindow;
        sub->setWidget(window);
        m_mdiArea->addSubWindow(sub);
        sub->setAttribute(Qt::WA_DeleteOnClose, false);
        sub->installEventFilter(this);
        keepDesignSize(*sub, *m_mdiArea, (designTwips / LayoutScaler::TwipsPerPixel).toSize());
        sub->conceal();
    }
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    rememberWindowState(*this);
    QMainWindow::closeEvent(event);
}

// Recorded files dropped on the window are opened as the open command opens them.
void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (!urls.isEmpty() && std::all_of(urls.begin(), urls.end(), [](const QUrl& url) { return url.isLocalFile(); }))
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event)
{
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        paths << url.toLocalFile();
    openFiles(paths);
    event->acceptProposedAction();
}

// Files handed over or dropped end a report view first: the page is of a file the user has left.
void MainWindow::openFiles(const QStringList& paths)
{
    endReportViews(nullptr);
    m_openFlow.openAll(paths);
}

// Activating a window makes its slot the current one and ends the report view of any other graph
// window; the window's own activation steps follow, then the commands take the mode.
void MainWindow::subWindowActivated(QMdiSubWindow* window)
{
    QWidget* widget = window ? window->widget() : nullptr;
    auto* graph = qobject_cast<GraphWindow*>(widget);
    for (int slot = 1; slot <= LoadedDataSet::SlotCount; ++slot) {
        if (widget && (widget == graphFormWidget(slot) || widget == TableForm(slot)))
            loadedData().FileNo = static_cast<qint16>(slot);
    }
    endReportViews(graph);
    if (graph)
        graph->activate();
    updateCommands();
}

void MainWindow::endReportViews(const GraphWindow* except)
{
    for (int slot = 1; slot <= LoadedDataSet::SlotCount; ++slot) {
        if (GraphWindow* graph = graphWindow(slot); graph && graph != except && graph->showsReportPage())
            graph->RestoreGraphView();
    }
}

GraphWindow* MainWindow::activeGraphWindow() const
{
    const QMdiSubWindow* active = m_mdiArea->activeSubWindow();
    return active && !active->isHidden() ? qobject_cast<GraphWindow*>(active->widget()) : nullptr;
}

ProgramMode MainWindow::mode() const
{
    ProgramFacts facts;
    for (int slot = 1; slot <= LoadedDataSet::SlotCount; ++slot) {
        if (const GraphWindow* graph = graphWindow(slot)) {
            facts.busy = facts.busy || graph->isBusy();
            facts.preview = facts.preview || graph->showsReportPage();
        }
    }
    facts.used = m_used;
    facts.combinedView = m_combinedViewActive;
    const auto* combined = qobject_cast<const CombinedGraphWindow*>(graphFormWidget(CombinedGraphWindow::Slot));
    facts.combinedBuilt = combined && combined->isBuilt();
    facts.fileOpen = SlotLoaded(1) || SlotLoaded(2);
    const GraphWindow* active = activeGraphWindow();
    facts.graphActive = active && active->slot() <= 2;
    return modeOf(facts);
}

void MainWindow::updateCommands()
{
    m_used = m_used || m_combinedViewActive || SlotLoaded(1) || SlotLoaded(2);
    const ProgramMode now = mode();
    for (QAction* action : allCommands())
        action->setEnabled(commandEnabled(now, action->objectName()));
    m_recentMenu->setEnabled(!m_recentMenu->isEmpty() && commandEnabled(now, u"MF_Recent"));
    showWindowList();
    if (GraphWindow* current = graphWindow(loadedData().FileNo))
        current->showViewCheckMarks();
}

// Window list item n shows the upper-cased path of slot n's file, and only while the slot has one;
// the current slot's item is checked.
void MainWindow::showWindowList()
{
    for (int n = 1; n <= 2; ++n) {
        QAction* item = command(QStringLiteral("MW_Dis_%1").arg(n));
        item->setText(loadedData().slot(n).FilePath.toUpper());
        item->setVisible(SlotLoaded(n));
        item->setChecked(loadedData().FileNo == n);
    }
}

// A closed window only hides its sub-window, which the MDI area does not always report as a change
// of the active window. Once the close is done, the next window shown becomes the active one.
bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (!qobject_cast<QMdiSubWindow*>(watched))
        return QMainWindow::eventFilter(watched, event);
    if (event->type() == QEvent::Hide || event->type() == QEvent::Show)
        updateCommands();
    // A maximised window leaves that state as it closes (see SlotSubWindow); the one after it takes it.
    if (event->type() == QEvent::Close) {
        const bool maximized = static_cast<QMdiSubWindow*>(watched)->isMaximized();
        QTimer::singleShot(0, this, [this, maximized] {
            const QMdiSubWindow* active = m_mdiArea->activeSubWindow();
            const QList<QMdiSubWindow*> order = m_mdiArea->subWindowList(QMdiArea::ActivationHistoryOrder);
            const auto shown = std::find_if(order.rbegin(), order.rend(), [](const QMdiSubWindow* sub) { return !sub->isHidden(); });
            if ((!active || active->isHidden()) && shown != order.rend()) {
                m_mdiArea->setActiveSubWindow(*shown);
                if (maximized)
                    (*shown)->showMaximized();
            }
            updateCommands();
        });
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::applyStringsToWindows()
{
    for (int slot = 1; slot <= 2; ++slot) {
        if (GraphWindow* graph = graphWindow(slot))
            graph->ApplyGraphStrings();
        ApplyTableStrings(slot);
    }
}

// The display settings' plot colours and range go to the graph windows of slots 1 to `lastSlot`,
// their axis colours to those of slots 1 and 2.
// Every graph window takes the new colours and range, whether it shows a file or not.
void MainWindow::applyDisplaySettings()
{
    for (int slot = 1; slot <= 2; ++slot) {
        if (GraphWindow* graph = graphWindow(slot)) {
            graph->applyPlotSettings();
            graph->applyAxisColors();
        }
    }
}

void MainWindow::buildMenus()
{
    QHash<QString, QActionGroup*> choices;
    for (const MenuItem& item : mainMenuItems()) {
        const bool hasItems =
            std::any_of(mainMenuItems().begin(), mainMenuItems().end(), [&](const MenuItem& other) { return other.parent == item.name; });
        QAction* action = nullptr;
        if (hasItems) {
            QMenu* menu = item.parent.isEmpty() ? menuBar()->addMenu(QString()) : m_menus.value(item.parent)->addMenu(QString());
            menu->setObjectName(item.name);
            m_menus.insert(item.name, menu);
            action = menu->menuAction();
        } else {
            action = item.parent.isEmpty() ? menuBar()->addAction(QString()) : m_menus.value(item.parent)->addAction(QString());
        }
        action->setObjectName(item.name);
        action->setCheckable(item.is(Checkable));
        action->setChecked(item.is(StartsChecked));
        if (item.is(Checkable)) {
            QActionGroup*& choice = choices[item.parent];
            if (!choice)
                choice = new QActionGroup(this);
            choice->addAction(action);
        }
        action->setShortcuts(item.shortcuts);
        m_commands.insert(item.name, action);
    }
    for (const QString& item : {QStringLiteral("MW_Dis_1"), QStringLiteral("MW_Dis_2")})
        m_commands.value(item)->setVisible(false); // until a file gives the item its caption
    m_recentMenu = new QMenu(this);
    m_recentMenu->setObjectName(QStringLiteral("MF_Recent"));
    m_menus.value(QStringLiteral("M_File"))->insertMenu(command("M_Exit"), m_recentMenu);
    showRecentFiles(RecentFiles::load());
}

void MainWindow::buildToolbar()
{
    QToolBar* toolbar = addToolBar(QString());
    toolbar->setObjectName(QStringLiteral("Toolbar"));
    toolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    toolbar->setIconSize(QSize(32, 32));
    toolbar->setMovable(false);
    for (int index = 1; index <= static_cast<int>(m_buttons.size()); ++index) {
        QAction* action = toolbar->addAction(toolbarIcon(index), QString());
        action->setObjectName(QStringLiteral("Button%1").arg(index));
        m_buttons[static_cast<std::size_t>(index - 1)] = action;
    }
}

void MainWindow::connectCommands()
{
    connect(command("M_Exit"), &QAction::triggered, this, &QWidget::close);
    connect(command("MF_Open"), &QAction::triggered, this, [this] { m_openFlow.MF_Open(); });
    connect(button(1), &QAction::triggered, this, [this] { m_openFlow.MF_Open(); });
    for (const InterfaceLanguage& language : InterfaceLanguages)
        connect(command(LanguageCommand + language.code), &QAction::triggered, this,
                [this, code = language.code.toString()] { chooseLanguage(code); });
    for (int n : {1, 2})
        connect(command(QStringLiteral("MW_Dis_%1").arg(n)), &QAction::triggered, this, [this, n] { showSlotWindow(n); });
    connect(command("M_DisplaySet"), &QAction::triggered, this, &MainWindow::showDisplaySettings);
    connect(command("MF_FileInfo"), &QAction::triggered, this, &MainWindow::showFileInformation);
    connect(command("MF_Excel"), &QAction::triggered, this, [this] { exportCurrentSlot(this); });
    connect(command("MT_DataFind"), &QAction::triggered, this, &MainWindow::showTimeSearch);
    onButton(7, &MainWindow::showGraphWindow);
    onButton(9, &MainWindow::showWholeRange);
    onButton(13, &MainWindow::showTimeSearch);
    onButton(8, &MainWindow::showTableWindow);
    onButton(12, &MainWindow::showDisplaySettings);
    onButton(4, &MainWindow::showFileInformation);
    connect(button(5), &QAction::triggered, this, [this] { exportCurrentSlot(this); });
    for (QAction* print : {command("MF_Print"), button(2)})
        connect(print, &QAction::triggered, this, [this] { printReport(this); });
    connect(command("MF_Preview"), &QAction::triggered, this, [this] { previewReport(*this); });
    for (QAction* capture : {command("MF_SnippingTool"), button(3)})
        connect(capture, &QAction::triggered, this, [this] { captureGraph(this); });
    onButton(14, &MainWindow::enterCombinedView);
    connect(command("MV_FullRange"), &QAction::triggered, this, &MainWindow::showWholeRange);
    connect(command("MW_Cascade"), &QAction::triggered, this, [this] { cascadeSubWindows(*m_mdiArea); });
    connect(command("MW_Tile"), &QAction::triggered, m_mdiArea, &QMdiArea::tileSubWindows);
    connect(command("MH_About"), &QAction::triggered, this, &MainWindow::showAbout);
    onButton(15, &MainWindow::startFileSplitter);
    m_viewCommands.connectCommands();
}

void MainWindow::onButton(int index, void (MainWindow::*handler)())
{
    connect(button(index), &QAction::triggered, this, handler);
}

QAction* MainWindow::command(const QString& name) const
{
    return m_commands.value(name);
}

QAction* MainWindow::button(int index) const
{
    return m_buttons.at(static_cast<std::size_t>(index - 1));
}

QString MainWindow::statusPanel1() const
{
    return m_statusPanel1->text();
}

void MainWindow::ApplyMainStrings()
{
    m_recentMenu->setTitle(stringEntry(ViewerText::RecentFiles));
    setCheckedLanguage(graphSettings().LangCode);
    for (const MenuItem& item : mainMenuItems()) {
        if (item.captionKey)
            command(item.name)->setText(stringEntry(*item.captionKey));
    }
    const std::vector<MDIFormText>& keys = toolbarCaptionKeys();
    for (std::size_t i = 0; i < keys.size(); ++i)
        m_buttons[i]->setText(stringEntry(keys[i]));
}

void MainWindow::setCheckedLanguage(const QString& langCode)
{
    if (!interfaceLanguage(langCode))
        return;
    for (const InterfaceLanguage& language : InterfaceLanguages)
        command(LanguageCommand + language.code)->setChecked(language.code == langCode);
}

// A report page shows the texts of the language it was made in; it ends, as a resize ends it.
void MainWindow::chooseLanguage(const QString& langCode)
{
    endReportViews(nullptr);
    graphSettings().LangCode = langCode;
    saveSetting(u"Language", u"Language", langCode);
    setCheckedLanguage(langCode);
    LoadStringTable();
    useQtTranslations(langCode);
    ApplyMainStrings();
    Q_EMIT languageChanged();
}

void MainWindow::setMenuChecked(const QString& name, bool checked)
{
    if (QAction* action = command(name))
        action->setChecked(checked);
}

bool MainWindow::combinedViewActive() const
{
    return m_combinedViewActive;
}

void MainWindow::setCombinedViewActive(bool active)
{
    m_combinedViewActive = active;
    m_statusPanel1->setText(active ? QStringLiteral("1") : QString());
    updateCommands();
}

void MainWindow::showSlotWindow(int slot)
{
    showCurrentWindow(graphFormWidget(slot));
}

bool MainWindow::isMaximized() const
{
    return QMainWindow::isMaximized();
}

// Shows a slot window and gives it the focus; a window lives in a sub-window of the MDI area. A
// minimised window comes back first.
void MainWindow::showCurrentWindow(QWidget* window)
{
    auto* frame = window ? qobject_cast<SlotSubWindow*>(window->parentWidget()) : nullptr;
    if (!frame)
        return;
    frame->reveal();
    window->show();
    m_mdiArea->setActiveSubWindow(frame);
    window->setFocus();
}

void MainWindow::showGraphWindow()
{
    showCurrentWindow(graphFormWidget(loadedData().FileNo));
}

void MainWindow::showTableWindow()
{
    showCurrentWindow(TableForm(loadedData().FileNo));
}

void MainWindow::enterCombinedView()
{
    setCombinedViewActive(true);
    auto* window = qobject_cast<CombinedGraphWindow*>(graphFormWidget(CombinedGraphWindow::Slot));
    window->load();
    showCurrentWindow(window);
}

void MainWindow::rememberRecentFile(const QString& path)
{
    showRecentFiles(RecentFiles::add(path));
}

// Newest first, each path upper-cased as the program shows every path.
void MainWindow::showRecentFiles(const QStringList& paths)
{
    m_recentMenu->clear();
    for (qsizetype n = 0; n < paths.size(); ++n) {
        QAction* item = m_recentMenu->addAction(RecentFiles::menuCaption(int(n + 1), paths[n]));
        item->setObjectName(QStringLiteral("MF_Recent_%1").arg(n + 1));
        connect(item, &QAction::triggered, this, [this, path = paths[n]] { openRecentFile(path); });
    }
    m_recentMenu->setEnabled(!paths.isEmpty() && commandEnabled(mode(), u"MF_Recent"));
}

// A file that is gone is taken off the list, and the user told.
void MainWindow::openRecentFile(const QString& path)
{
    if (!QFileInfo::exists(path)) {
        prompts().message(this, stringEntry(ViewerText::FileNoLongerExists) + u'\n' + QDir::toNativeSeparators(path).toUpper(),
                          QStringLiteral("Error"));
        showRecentFiles(RecentFiles::remove(path));
        return;
    }
    openFile(path);
}

void MainWindow::showAbout()
{
    prompts().message(this, stringEntry(ViewerText::AboutText).arg(QStringLiteral(QOR_VERSION)), stringEntry(MDIFormText::About));
}

void MainWindow::startFileSplitter()
{
    const QString program = splitterProgram();
    if (!QFileInfo(program).isExecutable()) {
        prompts().message(this, tr("The file splitting tool %1 was not found beside the program.").arg(QDir::toNativeSeparators(program)),
                          QStringLiteral("Error"));
        return;
    }
    QProcess::startDetached(program, {});
}

void MainWindow::showDisplaySettings()
{
    DisplaySettingsWindow window(this);
    connect(&window, &DisplaySettingsWindow::applied, this, &MainWindow::applyDisplaySettings);
    window.exec();
}

// The facts and print switches of the current slot's file.
void MainWindow::showFileInformation()
{
    const int slot = loadedData().FileNo;
    if (GraphWindow* graph = slot <= 2 ? graphWindow(slot) : nullptr)
        FileInfoWindow(*graph, this).exec();
}

// The time search works on clock times only; with the relative time axis shown the user is told.
// The combined view's three files share one graph, so the search there shows a span of that graph.
void MainWindow::showTimeSearch()
{
    const int slot = loadedData().FileNo;
    GraphWindow* graph = graphWindow(slot);
    if (!graph || !graph->absoluteTime()) {
        prompts().message(this, stringEntry(FindText::NeedsAbsoluteTime), QStringLiteral("Error"));
        return;
    }
    if (slot == CombinedGraphWindow::Slot) {
        showCurrentWindow(graph);
        DataFindWindow(*graph, this).exec();
        return;
    }
    const QMdiSubWindow* active = m_mdiArea->activeSubWindow();
    const std::optional<DataFindWindow::Mode> mode =
        active && active->widget() ? DataFindWindow::modeFor(active->widget()->objectName()) : std::nullopt;
    if (mode == DataFindWindow::Mode::Graph)
        DataFindWindow(*graph, this).exec();
    else if (auto* table = qobject_cast<TableWindow*>(TableForm(slot)); table && mode == DataFindWindow::Mode::Table)
        DataFindWindow(*table->fpSpread1(), this).exec();
}

// The whole recording of the current slot: no slider, no zoom, the time axis from the first to the
// last record (0 to the recording's length on a relative axis).
void MainWindow::showWholeRange()
{
    if (GraphWindow* graph = graphWindow(loadedData().FileNo))
        graph->showWholeRange();
}

} // namespace qor

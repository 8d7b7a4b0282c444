// Random sequences of a user's commands over the real windows. After every step the commands, the
// slots, the window list, the report page, the cursors and the busy notice are checked against a
// small model of the program. QOR_SEQUENCE_STEPS (2000 unless set) and QOR_SEQUENCE_SEED set the
// length and the seed of a run; a failure prints the seed and a shortened sequence that still fails,
// which QOR_SEQUENCE_REPLAY runs again.
#include "data/loadeddataset.h"
#include "graph/combinedgraphwindow.h"
#include "graph/graphannotation.h"
#include "graph/graphcursor.h"
#include "graph/graphlegend.h"
#include "graph/graphplot.h"
#include "graph/graphwindow.h"
#include "graph/trendgraph.h"
#include "shell/legendstate.h"
#include "shell/main/mainwindow.h"
#include "shell/programmodes.h"
#include "shell/programstate.h"
#include "shell/slotwindows.h"
#include "support/busycanceller.h"
#include "support/fixtures.h"
#include "support/modalwindow.h"
#include "support/programfolder.h"
#include "support/scriptedprompts.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

#include <functional>
#include <memory>
#include <random>

using namespace qor;

namespace {

// Copies of the samples, which the walk may change (an export beside them, a model line written).
QString samplesCopy()
{
    static QTemporaryDir copy;
    for (const QFileInfo& sample : QDir(QStringLiteral(QOR_SAMPLES_DIR)).entryInfoList(QDir::Files))
        QFile::copy(sample.filePath(), copy.filePath(sample.fileName()));
    return copy.path() + u'/';
}

const QString Samples = samplesCopy();
const QStringList GoodFiles = {"20150302080000_QOR1000.LOG", "20150305080000_QOR1300.LOG", "20150306080000_QOR1400.LOG",
                               "20150309080000_QOR1100.CSV", "20150311080000_QOR1300.CSV", "20150316080000_QOR500.DAT"};

// What the program should hold, as far as the commands can tell.
struct Model {
    std::array<QString, 3> files; // slots 1 and 2 at [1] and [2]
    bool used = false;            // a file was open, or the combined view shown
    int previewSlot = 0;
    bool combined = false;
    bool built = false;
    int chosen = 0;
};

struct Step {
    int kind = 0;
    unsigned parameter = 0;
};

class Sequence {
  public:
    Sequence(const QString& bigLog)
        : m_bigLog(bigLog)
    {
        m_prompts = &ScriptedPrompts::install();
        m_main = std::make_unique<MainWindow>();
        m_main->resize(1200, 800);
        m_main->show();
    }

    // Runs the step when a user could take it now; false when it does not apply. The dialogs'
    // answers scripted for a step are the step's own: a command that asked nothing leaves none.
    bool run(const Step& step)
    {
        const bool ran = take(step);
        m_prompts->fileAnswers.clear();
        m_prompts->printAnswer = nullptr;
        return ran;
    }
    // What is wrong after the last step; empty when everything holds.
    QString check() const;
    static int kinds();
    static QString name(const Step& step);

  private:
    bool take(const Step& step);
    QAction* command(const char* name) const { return m_main->command(QString::fromLatin1(name)); }
    // An item of a menu is reached only through the menus above it.
    static bool reachable(const QAction* action)
    {
        if (!action || !action->isEnabled() || !action->isVisible())
            return false;
        const QObjectList places = action->associatedObjects();
        return std::all_of(places.begin(), places.end(), [](const QObject* place) {
            const auto* menu = qobject_cast<const QMenu*>(place);
            return !menu || reachable(menu->menuAction());
        });
    }
    bool trigger(QAction* action)
    {
        if (!reachable(action))
            return false;
        action->trigger();
        return true;
    }
    GraphWindow* activeGraph() const;
    int openSlot() const;
    bool open(const QString& path, bool cancel);
    void opened(int slot, const QString& path);
    bool closeActive();
    bool wheel(unsigned parameter);
    bool dragZoom(unsigned parameter);
    bool legend(int item);
    bool combinedStep(unsigned parameter);
    bool print(unsigned parameter);

    QString m_bigLog;
    QTemporaryDir m_out;
    ScriptedPrompts* m_prompts;
    std::unique_ptr<MainWindow> m_main;
    Model m_model;
};

GraphWindow* Sequence::activeGraph() const
{
    const QMdiSubWindow* active = m_main->mdiArea()->activeSubWindow();
    return active && !active->isHidden() ? qobject_cast<GraphWindow*>(active->widget()) : nullptr;
}

// The slot an open fills: a free one, else the active slot graph window's, else the current one.
int Sequence::openSlot() const
{
    const bool first = !m_model.files[1].isEmpty();
    const bool second = !m_model.files[2].isEmpty();
    if (!first || !second)
        return first ? 2 : 1;
    if (const GraphWindow* graph = activeGraph(); graph && graph->slot() <= 2)
        return graph->slot();
    return loadedData().FileNo;
}

void Sequence::opened(int slot, const QString& path)
{
    m_model.files[static_cast<std::size_t>(slot)] = path;
    m_model.previewSlot = 0;
    m_model.used = true;
}

bool Sequence::open(const QString& path, bool cancel)
{
    if (!command("MF_Open")->isEnabled())
        return false;
    const int slot = openSlot();
    m_prompts->fileAnswers << path;
    std::optional<BusyCanceller> canceller;
    if (cancel)
        canceller.emplace(*graphWindow(slot)->Frame1(), BusyCanceller::By::Escape);
    command("MF_Open")->trigger();
    if (slot <= 2 && loadedData().slot(slot).FilePath == path && m_model.files[static_cast<std::size_t>(slot)] != path)
        opened(slot, path);
    else if (slot <= 2 && loadedData().slot(slot).FilePath == path)
        m_model.previewSlot = 0; // the same file read again
    return true;
}

bool Sequence::closeActive()
{
    QMdiSubWindow* active = m_main->mdiArea()->activeSubWindow();
    if (!active || active->isHidden())
        return false;
    if (const auto* graph = qobject_cast<GraphWindow*>(active->widget())) {
        if (graph->slot() <= 2)
            m_model.files[static_cast<std::size_t>(graph->slot())].clear();
        else
            m_model = Model{m_model.files, true};
        if (m_model.previewSlot == graph->slot())
            m_model.previewSlot = 0;
    }
    active->close();
    return true;
}

// A Ctrl+wheel notch, in or out, or a plain wheel turn that scrolls a zoom.
bool Sequence::wheel(unsigned parameter)
{
    GraphWindow* graph = activeGraph();
    if (!graph || m_model.previewSlot != 0 || (graph->slot() == 3 && !m_model.built))
        return false;
    TrendGraph* plotArea = graph->CWGraph1();
    const QPointF at(plotArea->width() * ((parameter % 7) + 1) / 8.0, plotArea->height() / 2.0);
    const int delta = parameter % 2 ? 120 : -120;
    const Qt::KeyboardModifiers modifiers = parameter % 3 ? Qt::ControlModifier : Qt::NoModifier;
    QWheelEvent event(at, plotArea->mapToGlobal(at), {}, {0, delta}, Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(plotArea, &event);
    return true;
}

// Zoom In's drag mode, then a drag over part of the plot area.
bool Sequence::dragZoom(unsigned parameter)
{
    GraphWindow* graph = activeGraph();
    if (!graph || !trigger(m_main->button(10)))
        return false;
    TrendGraph* plotArea = graph->CWGraph1();
    const int from = plotArea->width() * static_cast<int>(parameter % 4 + 1) / 8;
    const QPoint start(from, plotArea->height() / 2);
    QTest::mousePress(plotArea, Qt::LeftButton, {}, start);
    QTest::mouseMove(plotArea, start + QPoint(plotArea->width() / 4, 0));
    QTest::mouseRelease(plotArea, Qt::LeftButton, {}, start + QPoint(plotArea->width() / 4, 0));
    return true;
}

bool Sequence::legend(int item)
{
    GraphWindow* graph = activeGraph();
    if (!graph || m_model.previewSlot != 0 || (graph->slot() <= 2 && m_model.files[static_cast<std::size_t>(graph->slot())].isEmpty()))
        return false;
    if (item == 0) {
        QPushButton* calculate = graph->legend()->statisticsButton();
        if (calculate->isHidden())
            return false;
        calculate->click();
        return true;
    }
    graph->legendClicked(item);
    return true;
}

// Chooses the next file, builds, clears or leaves the combined view.
bool Sequence::combinedStep(unsigned parameter)
{
    auto* window = qobject_cast<CombinedGraphWindow*>(graphFormWidget(CombinedGraphWindow::Slot));
    if (!m_model.combined || window->isHidden())
        return false;
    switch (parameter % 4) {
    case 0:
        if (m_model.chosen >= 3)
            return false;
        m_prompts->fileAnswers << Samples + (parameter % 5 == 0 ? "20150310080000_QOR1200.CSV" : "20150309080000_QOR1100.CSV");
        window->fileButton(m_model.chosen)->click();
        ++m_model.chosen;
        return true;
    case 1:
        if (window->file_open()->isHidden() || m_model.chosen < 2)
            return false;
        window->file_open()->click();
        m_model.built = window->isBuilt(); // a file of another model is refused, and the graph stays
        return true;
    case 2:
        if (window->Command4()->isHidden())
            return false;
        window->Command4()->click();
        m_model.chosen = 0;
        m_model.built = false;
        return true;
    default:
        window->Command3()->click();
        m_model = Model{m_model.files, true};
        return true;
    }
}

bool Sequence::print(unsigned parameter)
{
    if (!command("MF_Print")->isEnabled())
        return false;
    const bool printed = parameter % 3 != 0;
    m_prompts->printAnswer = nullptr;
    if (printed) {
        const QString pdf = m_out.filePath(QStringLiteral("page.pdf"));
        m_prompts->printAnswer = [pdf](QPrinter& printer) {
            printer.setOutputFileName(pdf);
            return true;
        };
    }
    command("MF_Print")->trigger();
    if (printed)
        m_model.previewSlot = 0;
    return true;
}

int Sequence::kinds()
{
    return 24;
}

QString Sequence::name(const Step& step)
{
    static const QStringList names = {"open a good file",
                                      "open a damaged file",
                                      "open a directory",
                                      "cancel an open",
                                      "hand over two files",
                                      "close the active window",
                                      "Window menu",
                                      "graph view",
                                      "table view",
                                      "preview",
                                      "end the preview",
                                      "print",
                                      "capture",
                                      "export",
                                      "combine channels",
                                      "combined view",
                                      "zoom or scroll",
                                      "zoom out, whole range",
                                      "cursor mode",
                                      "range mode",
                                      "time axis",
                                      "language",
                                      "zoom by drag",
                                      "data search"};
    return QStringLiteral("%1(%2)").arg(names.at(step.kind)).arg(step.parameter);
}

bool Sequence::take(const Step& step)
{
    const unsigned p = step.parameter;
    switch (step.kind) {
    case 0:
        return open(Samples + GoodFiles[p % GoodFiles.size()], false);
    case 1:
        return open(fixtures::writeFile(m_out, QStringLiteral("20150301080000_damaged.LOG"), QByteArray(p % 90, 'x')), false);
    case 2:
        QDir(m_out.path()).mkpath(QStringLiteral("folder.LOG"));
        return open(m_out.filePath(QStringLiteral("folder.LOG")), false);
    case 3:
        return open(m_bigLog, true);
    case 4: {
        const QStringList files = {Samples + GoodFiles[p % GoodFiles.size()], Samples + GoodFiles[(p / 7) % GoodFiles.size()]};
        if (QApplication::activeModalWidget())
            return false;
        const bool wasPreview = m_model.previewSlot != 0;
        for (const QString& file : files) {
            const int slot = openSlot();
            m_main->openFiles({file});
            if (slot <= 2 && loadedData().slot(slot).FilePath == file)
                opened(slot, file);
        }
        if (wasPreview)
            m_model.previewSlot = 0;
        return true;
    }
    case 5:
        return closeActive();
    case 6:
        return trigger(command(p % 2 ? "MW_Dis_1" : "MW_Dis_2"));
    case 7:
        return trigger(m_main->button(7));
    case 8:
        return trigger(m_main->button(8));
    case 9:
        if (!trigger(command("MF_Preview")))
            return false;
        m_model.previewSlot = loadedData().FileNo;
        return true;
    case 10: {
        GraphWindow* graph = graphWindow(m_model.previewSlot == 0 ? 1 : m_model.previewSlot);
        if (m_model.previewSlot == 0)
            return false;
        graph->Command1()->click();
        m_model.previewSlot = 0;
        return true;
    }
    case 11:
        return print(p);
    case 12:
        m_prompts->fileAnswers << m_out.filePath(QStringLiteral("capture.png"));
        return trigger(command("MF_SnippingTool"));
    case 13:
        m_prompts->fileAnswers << m_out.filePath(QStringLiteral("export.csv"));
        return trigger(command("MF_Excel"));
    case 14:
        if (!trigger(m_main->button(14)))
            return false;
        m_model.combined = true;
        m_model.used = true;
        m_model.built = false;
        m_model.chosen = 0;
        return true;
    case 15:
        return combinedStep(p);
    case 16:
        return wheel(p);
    case 17:
        return trigger(p % 2 ? m_main->button(11) : m_main->button(9));
    case 18:
        return legend(p % 2 ? LegendState::SingleCursorItem : 0);
    case 19:
        return legend(p % 2 ? LegendState::RangeCursorsItem : 0);
    case 20:
        return trigger(command(p % 2 ? "MT_RelaTime" : "MT_AbsTime"));
    case 21:
        if (!trigger(command(p % 3 == 0 ? "MV_Language_KOR" : p % 3 == 1 ? "MV_Language_ENG" : "MV_Language_CHR")))
            return false;
        m_model.previewSlot = 0; // the page was made in the language before
        return true;
    case 22:
        return dragZoom(p);
    default:
        if (!reachable(m_main->button(13)))
            return false;
        modalWindowShownBy(*m_main->button(13)); // closed as Cancel closes it
        return true;
    }
}

QString Sequence::check() const
{
    const QMdiSubWindow* active = m_main->mdiArea()->activeSubWindow();
    const GraphWindow* graph = activeGraph();
    ProgramFacts facts;
    facts.used = m_model.used;
    facts.preview = m_model.previewSlot != 0;
    facts.combinedView = m_model.combined;
    facts.combinedBuilt = m_model.built;
    facts.fileOpen = !m_model.files[1].isEmpty() || !m_model.files[2].isEmpty();
    facts.graphActive = graph && graph->slot() <= 2;
    const ProgramMode mode = modeOf(facts);
    QStringList wrong;
    for (const QString& name : modeCommands()) {
        const QAction* action = name == u"MF_Recent"         ? m_main->recentFilesMenu()->menuAction()
                                : name.startsWith(u"Button") ? m_main->button(name.mid(6).toInt())
                                                             : m_main->command(name);
        const bool expected = commandEnabled(mode, name) && !(name == u"MF_Recent" && m_main->recentFilesMenu()->isEmpty()) &&
                              (!action || action->isVisible());
        if (!action || action->isEnabled() != expected)
            wrong << name + (expected ? QStringLiteral(" off") : QStringLiteral(" on"));
    }
    for (int slot = 1; slot <= 2; ++slot) {
        const QString& file = m_model.files[static_cast<std::size_t>(slot)];
        const QAction* item = m_main->command(QStringLiteral("MW_Dis_%1").arg(slot));
        if (loadedData().slot(slot).FilePath != file || SlotLoaded(slot) != !file.isEmpty() || item->isVisible() != !file.isEmpty() ||
            (!file.isEmpty() && item->text() != file.toUpper()))
            wrong << QStringLiteral("slot %1 holds %2, window list %3").arg(slot).arg(loadedData().slot(slot).FilePath, item->text());
        const bool shown = !graphWindow(slot)->parentWidget()->isHidden() || !TableForm(slot)->parentWidget()->isHidden();
        if (file.isEmpty() && (shown || graphWindow(slot)->CWGraph1()->plot(1).pointCount() != 0))
            wrong << QStringLiteral("a window of free slot %1 is shown").arg(slot);
    }
    // The active window's slot is the current one, and the check marks show it and its view.
    const int current = loadedData().FileNo;
    if (graph && graph->slot() != current)
        wrong << QStringLiteral("window %1 active with slot %2 current").arg(graph->slot()).arg(current);
    for (int slot = 1; slot <= 2; ++slot) {
        if (m_main->command(QStringLiteral("MW_Dis_%1").arg(slot))->isChecked() != (slot == current))
            wrong << QStringLiteral("window list check of slot %1").arg(slot);
    }
    if (current <= 2 && !m_model.files[static_cast<std::size_t>(current)].isEmpty() &&
        command("MT_AbsTime")->isChecked() != graphWindow(current)->absoluteTime())
        wrong << QStringLiteral("time axis check");
    for (int slot = 1; slot <= 3; ++slot) {
        const GraphWindow* window = graphWindow(slot);
        if (window->showsReportPage() != (slot == m_model.previewSlot) || window->PicPrint()->isHidden() == window->showsReportPage())
            wrong << QStringLiteral("report page of window %1").arg(slot);
        for (int k = 1; k <= 3; ++k) {
            if (!window->CWGraph1()->cursor(k).isVisible() && window->CWGraph1()->annotation(k).isVisible())
                wrong << QStringLiteral("label of hidden cursor %1 in window %2").arg(k).arg(slot);
        }
        if (window->isBusy())
            wrong << QStringLiteral("window %1 busy").arg(slot);
    }
    if (QApplication::overrideCursor())
        wrong << QStringLiteral("busy pointer");
    if (!wrong.isEmpty())
        wrong.prepend(
            QStringLiteral("mode %1, active %2:").arg(modeName(mode), active && active->widget() ? active->widget()->objectName() : "-"));
    return wrong.join(u' ');
}

// Runs `steps` on a fresh program; the index of the step after which a check failed and its
// message, or -1.
std::pair<int, QString> replay(const QList<Step>& steps, const QString& bigLog)
{
    ProgramFolder folder;
    Sequence sequence(bigLog);
    for (int i = 0; i < steps.size(); ++i) {
        sequence.run(steps[i]);
        QCoreApplication::processEvents();
        if (const QString failure = sequence.check(); !failure.isEmpty())
            return {i, failure};
    }
    return {-1, {}};
}

// A sequence of `count` steps a user could take, drawn from `seed`, on a fresh program: the steps
// taken and, when a check failed after the last of them, what was wrong.
std::pair<QList<Step>, QString> randomRun(unsigned seed, int count, const QString& bigLog)
{
    std::mt19937 random(seed);
    ProgramFolder folder;
    Sequence sequence(bigLog);
    QList<Step> taken;
    for (int drawn = 0; taken.size() < count && drawn < count * 50; ++drawn) {
        const Step step{static_cast<int>(random() % Sequence::kinds()), static_cast<unsigned>(random() % 1000)};
        if (!sequence.run(step))
            continue;
        QCoreApplication::processEvents(); // what the step posted runs before the user's next step
        taken << step;
        if (QString failure = sequence.check(); !failure.isEmpty())
            return {taken, failure};
    }
    return {taken, {}};
}

// Drops every step whose removal still lets the sequence fail.
QList<Step> shorten(QList<Step> steps, const QString& bigLog)
{
    for (int i = static_cast<int>(steps.size()) - 1; i >= 0; --i) {
        QList<Step> without = steps;
        without.removeAt(i);
        if (replay(without, bigLog).first >= 0)
            steps = without;
    }
    return steps;
}

// Steps written as the failure message gives them: "kind:parameter" separated by spaces.
QList<Step> replayed(const QString& codes)
{
    QList<Step> steps;
    for (const QString& code : codes.split(u' ', Qt::SkipEmptyParts))
        steps << Step{static_cast<int>(code.section(u':', 0, 0).toUInt() % Sequence::kinds()), code.section(u':', 1).toUInt()};
    return steps;
}

int fromEnvironment(const char* name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok && value > 0 ? value : fallback;
}

} // namespace

class TestProgramSequence : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void randomSequencesKeepTheProgramConsistent()
    {
        constexpr int StepsPerSequence = 100;
        const int steps = fromEnvironment("QOR_SEQUENCE_STEPS", 2000);
        const int seed = fromEnvironment("QOR_SEQUENCE_SEED", 1);
        QTemporaryDir big;
        const QString bigLog = fixtures::generated(big, {.model = "QOR1300", .records = 150'000});
        if (qEnvironmentVariableIsSet("QOR_SEQUENCE_REPLAY")) {
            const auto [at, failure] = replay(replayed(qEnvironmentVariable("QOR_SEQUENCE_REPLAY")), bigLog);
            QVERIFY2(at < 0, qPrintable(QStringLiteral("after step %1: %2").arg(at + 1).arg(failure)));
            return;
        }
        for (int run = 0; run * StepsPerSequence < steps; ++run) {
            const auto [taken, failure] = randomRun(static_cast<unsigned>(seed + run), StepsPerSequence, bigLog);
            if (failure.isEmpty())
                continue;
            QStringList names;
            QStringList codes;
            for (const Step& step : shorten(taken, bigLog)) {
                names << Sequence::name(step);
                codes << QStringLiteral("%1:%2").arg(step.kind).arg(step.parameter);
            }
            QFAIL(qPrintable(QStringLiteral("seed %1: %2\nafter %3\nQOR_SEQUENCE_REPLAY=\"%4\" replays it")
                                 .arg(seed + run)
                                 .arg(failure, names.join(QStringLiteral(", ")), codes.join(u' '))));
        }
    }
};

QTEST_MAIN(TestProgramSequence)
#include "tst_programsequence.moc"

#include "shell/programstate.h"
#include "shell/prompts.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

using namespace qor;

namespace {

class SilentPrompts final : public Prompts {
  public:
    QString openFile(QWidget*, const QString&, const QStringList&, int) override { return {}; }
    QString saveFile(QWidget*, const QString&, const QStringList&, int) override { return {}; }
    std::optional<QColor> color(QWidget*, const QColor&) override { return std::nullopt; }
    void message(QWidget*, const QString&, const QString&) override {}
    bool print(QWidget*, QPrinter&) override { return false; }
    bool openDocument(const QString&) override { return false; }
};

class GraphStandIn final : public GraphFormView {
  public:
    QWidget* formWidget() override { return &window; }
    QString caption() const override { return window.windowTitle(); }
    double shownFrom() const override { return 0; }
    double shownTo() const override { return 0; }
    void showSpan(double, double) override {}
    QString infoLine(int) const override { return {}; }
    QWidget window;
};

} // namespace

class TestProgramState : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    // Whatever one session left behind, a reset starts the next from nothing, and the accessors
    // that windows hold on to keep pointing at the live state.
    void aResetForgetsEverySession()
    {
        QTemporaryDir dir;
        const QString executableFolder = AppPath();
        SlotData& slot1 = loadedData().slot(1);
        slot1.FilePath = QStringLiteral("/data/a.LOG");
        loadedData().FileNo = 2;
        graphSettings().LangCode = QStringLiteral("ENG");
        legendState().set(3, 2, true);
        zoomHistory(3).push(1, 2);
        GraphStandIn graph;
        QWidget table;
        setGraphForm(1, &graph);
        setTableForm(1, &table);
        setPrompts(std::make_unique<SilentPrompts>());
        setAppPath(dir.path());

        resetProgramState();

        QCOMPARE(&loadedData().slot(1), &slot1);
        QVERIFY(slot1.FilePath.isEmpty());
        QCOMPARE(loadedData().FileNo, 1);
        QVERIFY(graphSettings().LangCode.isEmpty());
        QVERIFY(!legendState().isOn(3, 2));
        QCOMPARE(zoomHistory(3).depth(), 0);
        QCOMPARE(GraphForm(1), nullptr);
        QCOMPARE(TableForm(1), nullptr);
        QVERIFY(!SlotLoaded(1));
        QVERIFY(dynamic_cast<SilentPrompts*>(&prompts()) == nullptr);
        QCOMPARE(AppPath(), executableFolder);
    }

    void aDestroyedGraphWindowLeavesItsReference()
    {
        resetProgramState();
        auto graph = std::make_unique<GraphStandIn>();
        setGraphForm(2, graph.get());
        QCOMPARE(GraphForm(2), graph.get());
        QCOMPARE(graphFormWidget(2), &graph->window);
        graph.reset();
        QCOMPARE(GraphForm(2), nullptr);
        QCOMPARE(graphFormWidget(2), nullptr);
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, GraphForm(4));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, SlotLoaded(3));
    }
};

QTEST_MAIN(TestProgramState)
#include "tst_programstate.moc"

#include "shell/programstate.h"
#include "table/spreadgrid.h"
#include "table/tablewindow.h"
#include "textcolumn.h"

#include "data/loadeddataset.h"
#include "shell/apppath.h"
#include "shell/graphsettings.h"
#include "shell/slotwindows.h"
#include "shell/stringtable.h"
#include "support/fixtures.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>

using namespace qor;

namespace {

// A slot's graph window as the table side sees it: a window with a caption.
class CaptionedGraph final : public GraphFormView {
  public:
    explicit CaptionedGraph(const QString& caption) { m_window.setWindowTitle(caption); }
    QWidget* formWidget() override { return &m_window; }
    QString caption() const override { return m_window.windowTitle(); }
    double shownFrom() const override { return 0; }
    double shownTo() const override { return 0; }
    void showSpan(double, double) override {}
    QString infoLine(int) const override { return {}; }

  private:
    QWidget m_window;
};

constexpr int Records = 5;

// A program folder of the test's own with the shipped side files: nothing the windows write (the
// error log) lands in the source tree.
void useProgramFolder()
{
    static const QTemporaryDir folder;
    static const bool installed = [] {
        fixtures::installSideFiles(folder);
        return true;
    }();
    Q_UNUSED(installed);
    setAppPath(folder.path());
}

void useLanguage(const QString& code)
{
    useProgramFolder();
    graphSettings().LangCode = code;
    if (!LoadStringTable())
        qFatal("language files missing");
}

// Column k's record i reads "k.i"; columns beyond `filled` are left unfilled, except that "Z7"
// fills PV1, SP1, MV1 and MV2.
void fillSlot(int slot, const QString& model, const QString& option, bool allChannels, int filled)
{
    SlotData& data = loadedData().slot(slot);
    data.FilePath = QStringLiteral("/data/rec_%1.log").arg(slot);
    data.setModel(model);
    data.ModelOption = option;
    data.AllChannels = allChannels;
    data.RecordCount = Records;
    auto times = std::make_shared<TimeColumn>();
    for (int i = 0; i < Records; ++i)
        times->push_back(datetime::dateSerial(2015, 3, 1) + (13 * 3600 + i) / 86400.0);
    data.TraceData.TimeValue = times;
    for (int k = 1; k <= ColumnCount; ++k) {
        const bool isFilled = model == u"QOR1000-Z7" ? (k <= 3 || k == 6) : k <= filled;
        QStringList texts;
        for (int i = 0; i < Records; ++i)
            texts << (isFilled ? QStringLiteral("%1.%2").arg(k).arg(i) : QString());
        data.TraceData.values[static_cast<std::size_t>(k - 1)] = std::make_shared<const TextColumn>(texts, isFilled);
    }
}

QString headerRow(const SpreadGrid& grid)
{
    QStringList texts;
    for (int col = 1; col <= grid.MaxCols(); ++col)
        texts << grid.GetText(col, 0);
    return texts.join(u'|');
}

QString headerColumn(const SpreadGrid& grid)
{
    QStringList texts;
    for (int row = 1; row <= grid.MaxRows(); ++row)
        texts << grid.GetText(0, row);
    return texts.join(u'|');
}

// "min max" of every statistics row, joined by "|".
QString statistics(const SpreadGrid& grid)
{
    QStringList rows;
    for (int row = 1; row <= grid.MaxRows(); ++row)
        rows << grid.GetText(1, row) + u' ' + grid.GetText(2, row);
    return rows.join(u'|');
}

void selectRows(SpreadGrid& grid, int row, int row2)
{
    grid.selectBlock(1, row, 2, row2);
}

void setTexts(int slot, ColumnId id, const QStringList& texts)
{
    loadedData().slot(slot).TraceData.column(id) = TextColumn::of(texts);
}

} // namespace

class TestTableWindow : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void initTestCase() { useLanguage(QStringLiteral("ENG")); }
    void init() { loadedData().FileNo = 1; }

    void fillTableLaysOutEveryModel_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("option");
        QTest::addColumn<bool>("allChannels");
        QTest::addColumn<int>("filled");
        QTest::addColumn<QString>("headers");
        QTest::addColumn<QString>("rows");
        QTest::addColumn<QString>("title");
        const QString twoChannels = QStringLiteral("TIME|CH1_PV|SP|MV|CH2_PV|SP|MV");
        const QString twoChannelRows = QStringLiteral("CH1 PV|CH1 SP|CH1 MV|CH2 PV|CH2 SP|CH2 MV");
        QTest::newRow("QOR1000 with option") << "QOR1000"
                                             << "CH1" << false << 3 << "TIME|CH1 PV|CH1 SP|CH1 MV"
                                             << "PV|SP|MV"
                                             << "Data Table ";
        QTest::newRow("QOR1000 log of two channels") << "QOR1000"
                                                     << "" << false << 6 << twoChannels << twoChannelRows << "Data Table ";
        QTest::newRow("QOR1100 csv of one channel") << "QOR1100"
                                                    << "" << false << 3 << "TIME| PV| SP| MV"
                                                    << "PV|SP|MV"
                                                    << "Data Table ";
        QTest::newRow("QOR500") << "QOR500"
                                << "" << false << 3 << "TIME| PV| SP| MV"
                                << "PV|SP|MV"
                                << "Data Table ";
        QTest::newRow("QOR510") << "QOR510"
                                << "" << false << 6 << twoChannels << twoChannelRows << "Data Table ";
        QTest::newRow("QOR510 with option") << "QOR510"
                                            << "X" << false << 6 << twoChannels << "PV|SP|MV"
                                            << "Data Table ";
        QTest::newRow("QOR1000-Z7") << "QOR1000-Z7"
                                    << "" << false << 6 << "TIME|PV|SP|MV1|MV2"
                                    << "PV|SP|MV1|MV2"
                                    << "graph caption";
        QTest::newRow("QOR1200") << "QOR1200"
                                 << "" << false << 6 << "TIME|PV|SP|MV|HPV|HSP|HMV"
                                 << "PV|SP|MV|HPV|HSP|HMV"
                                 << "Temperature and Humidity Table ";
        QTest::newRow("QOR520") << "QOR520"
                                << "" << false << 6 << "TIME|PV|SP|MV|HPV|HSP|HMV"
                                << "PV|SP|MV|HPV|HSP|HMV"
                                << "Temperature and Humidity Table ";
        QTest::newRow("QOR1300") << "QOR1300"
                                 << "" << false << 9 << "TIME|Hi.PV|Hi.SP|Hi.MV|Exp.PV|Exp.SP|Exp.MV|Lo.PV|Lo.SP|Lo.MV"
                                 << "Hi.PV|Hi.SP|Hi.MV|Exp.PV|Exp.SP|Exp.MV|Lo.PV|Lo.SP|Lo.MV"
                                 << "Three-Channel Table ";
        QTest::newRow("QOR1400 all channels") << "QOR1400"
                                              << "" << true << 9 << "TIME|CH1_PV|SP|MV|CH2_PV|SP|MV|CH3_PV|SP|MV"
                                              << "CH1 PV|SP|MV|CH2 PV|SP|MV|CH3 PV|SP|MV"
                                              << "Data Table ";
        QTest::newRow("QOR1400-Z11 one channel") << "QOR1400-Z11"
                                                 << "A" << false << 3 << "TIME|A PV|A SP|A MV"
                                                 << "PV|SP|MV"
                                                 << "graph caption";
        QTest::newRow("QOR1400-Z12 with a stale flag") << "QOR1400-Z12"
                                                       << "" << true << 3 << "TIME| PV| SP| MV"
                                                       << "PV|SP|MV"
                                                       << "graph caption";
    }
    void fillTableLaysOutEveryModel()
    {
        QFETCH(QString, model);
        QFETCH(QString, option);
        QFETCH(bool, allChannels);
        QFETCH(int, filled);
        QFETCH(QString, headers);
        QFETCH(QString, rows);
        QFETCH(QString, title);
        fillSlot(2, model, option, allChannels, filled);
        CaptionedGraph graph(QStringLiteral("graph caption"));
        setGraphForm(2, &graph);
        TableWindow window(2);
        window.Load();
        setGraphForm(2, nullptr);
        SpreadGrid& grid = *window.fpSpread1();
        QCOMPARE(window.objectName(), "frmDataDigital_2");
        QCOMPARE(window.windowTitle(), title == u"graph caption" ? title : title + u"[/DATA/REC_2.LOG]");
        QCOMPARE(headerRow(grid), headers);
        QCOMPARE(grid.MaxRows(), Records);
        QVERIFY(grid.ReDraw());
        QCOMPARE(grid.GetText(1, 2), "2015-03-01 PM 1:00:01");
        // Every value column shows its array's texts unchanged; the header names which one.
        for (int col = 2; col <= grid.MaxCols(); ++col) {
            const QString text = grid.GetText(col, 5);
            QVERIFY2(text.endsWith(u".4") && text.size() == 3, qPrintable(text));
        }
        if (model == u"QOR1000-Z7")
            QCOMPARE(grid.GetText(5, 1), "6.0"); // MV2 holds the fourth value
        selectRows(grid, 1, 2);
        QCOMPARE(headerColumn(*window.fpSpread2()), rows);
        QCOMPARE(window.fpSpread2()->MaxCols(), 2);
        QCOMPARE(window.fpSpread2()->GetText(1, 0), "Minimum");
        QCOMPARE(window.fpSpread2()->GetText(2, 0), "Maximum");
        QCOMPARE(window.fpSpread2()->GetText(1, 1), "1.0");
        QCOMPARE(window.fpSpread2()->GetText(2, 1), "1.1");
    }

    void aModelWithoutLayoutKeepsTheColumns()
    {
        fillSlot(1, QStringLiteral("QOR1200"), {}, false, 6);
        TableWindow window(1);
        window.Load();
        SlotData& data = loadedData().slot(1);
        data.setModel(QStringLiteral("QOR720"));
        data.RecordCount = 3;
        window.FillTable();
        QCOMPARE(window.fpSpread1()->MaxRows(), 3);
        QCOMPARE(headerRow(*window.fpSpread1()), "TIME|PV|SP|MV|HPV|HSP|HMV");
        // Its statistics keep what they showed.
        selectRows(*window.fpSpread1(), 1, 1);
        QCOMPARE(window.fpSpread2()->MaxRows(), 0);
        // A new file drops the selection of the previous one, even with as many records.
        window.FillTable();
        QCOMPARE(window.fpSpread1()->block(), GridBlock{});
    }

    void statisticsShowTheTrueRangeOfTheNumbers()
    {
        fillSlot(1, QStringLiteral("QOR1200"), {}, false, 6);
        setTexts(1, ColumnId::PV1, {"5", "abc", "", "10050.5", "-1200"});
        setTexts(1, ColumnId::SP1, {"12000", "15000.456", "12000.5", "99999", "1E+20"});
        setTexts(1, ColumnId::MV1, {"-2000", "-1500.25", "-3000.004", "x", "-999.5"});
        setTexts(1, ColumnId::PV2, {"abc", "", " ", "1x", "-"});
        TableWindow window(1);
        window.Load();
        SpreadGrid& stats = *window.fpSpread2();
        selectRows(*window.fpSpread1(), 1, 4);
        QCOMPARE(stats.MaxRows(), 6);
        QCOMPARE(statistics(stats).section(u'|', 0, 3), "5.0 10050.5|12000.0 99999.0|-3000.0 -1500.25| ");
        // A block that ends in a row of no numbers still shows the rows before it.
        selectRows(*window.fpSpread1(), 2, 3);
        QCOMPARE(statistics(stats).section(u'|', 0, 1), " |12000.5 15000.46");
        // The following block shows its own values, never the earlier ones.
        selectRows(*window.fpSpread1(), 5, 5);
        QCOMPARE(statistics(stats).section(u'|', 0, 3), "-1200.0 -1200.0|100000000000000000000.0 100000000000000000000.0|-999.5 -999.5| ");
    }

    void keysAreSwallowedInBothGrids()
    {
        fillSlot(1, QStringLiteral("QOR1300"), {}, false, 9);
        TableWindow window(1);
        window.Load();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        for (SpreadGrid* grid : {window.fpSpread1(), window.fpSpread2()}) {
            int after = -1;
            connect(grid, &SpreadGrid::KeyPress, this, [&after](int* keyAscii) { after = *keyAscii; });
            grid->selectBlock(2, 1, 2, 1);
            // "2" would jump to the cell that begins with it, were the key let through.
            QTest::keyClicks(grid, QStringLiteral("2"));
            QCOMPARE(after, 0);
            QCOMPARE(grid->block(), (GridBlock{2, 1, 2, 1}));
        }
    }

    void languageSwitchRewritesCaptionsAndHeaders()
    {
        fillSlot(1, QStringLiteral("QOR1400"), {}, true, 9);
        TableWindow window(1);
        setTableForm(1, &window);
        window.Load();
        selectRows(*window.fpSpread1(), 1, 1);
        useLanguage(QStringLiteral("KOR"));
        ApplyTableStrings(1);
        ApplyTableStrings(2); // no window there: nothing happens
        useLanguage(QStringLiteral("ENG"));
        setTableForm(1, nullptr);
        QCOMPARE(window.windowTitle(), "디지탈 표시 [/DATA/REC_1.LOG]");
        QCOMPARE(window.Frame1()->title(), "선택 범위 통계");
        QCOMPARE(headerRow(*window.fpSpread1()), "시간|CH1_PV|SP|MV|CH2_PV|SP|MV|CH3_PV|SP|MV");
        QCOMPARE(window.fpSpread2()->GetText(1, 0), "최소값");
        QCOMPARE(headerColumn(*window.fpSpread2()), "CH1 PV|SP|MV|CH2 PV|SP|MV|CH3 PV|SP|MV");
        // The cells stay; the time texts follow the language.
        QCOMPARE(window.fpSpread1()->MaxCols(), 10);
        QCOMPARE(window.fpSpread2()->GetText(1, 1), "1.0");
        graphSettings().LangCode = QStringLiteral("KOR");
        QCOMPARE(window.fpSpread1()->GetText(1, 1), "2015-03-01 오후 1:00:00");
        graphSettings().LangCode = QStringLiteral("ENG");
    }

    // A morning into an afternoon: every time text fits the column, the rows that the first
    // hundred do not show included, and the designators are drawn in the grid's own font; also
    // after the language was switched while the table was shown.
    void theTimeColumnFitsEveryTime_data()
    {
        QTest::addColumn<QString>("loadedIn");
        QTest::addColumn<QString>("language");
        QTest::newRow("English") << "ENG"
                                 << "ENG";
        QTest::newRow("Korean") << "KOR"
                                << "KOR";
        QTest::newRow("Chinese") << "CHR"
                                 << "CHR";
        QTest::newRow("Korean, then Chinese") << "KOR"
                                              << "CHR";
        QTest::newRow("Korean, then English") << "KOR"
                                              << "ENG";
    }
    void theTimeColumnFitsEveryTime()
    {
        QFETCH(QString, loadedIn);
        QFETCH(QString, language);
        useLanguage(loadedIn);
        fillSlot(1, QStringLiteral("QOR1400"), {}, true, 9);
        SlotData& data = loadedData().slot(1);
        // One a minute from 08:00 to 13:00: the first hundred rows and the last have one-digit hours.
        constexpr int Rows = 301;
        auto times = std::make_shared<TimeColumn>();
        for (int i = 0; i < Rows; ++i)
            times->push_back(datetime::dateSerial(2015, 3, 11) + (8 * 3600 + 60 * i) / 86400.0);
        data.TraceData.TimeValue = times;
        data.RecordCount = Rows;
        for (int k = 1; k <= ColumnCount; ++k)
            data.TraceData.values[static_cast<std::size_t>(k - 1)] = TextColumn::of(QStringList(Rows, QStringLiteral("1.5")));
        TableWindow window(1);
        window.Load();
        useLanguage(language);
        window.ApplyTableStrings();
        useLanguage(QStringLiteral("ENG"));
        graphSettings().LangCode = language; // the texts as the window shows them
        const SpreadGrid& grid = *window.fpSpread1();
        const QFontMetrics metrics(grid.font());
        const datetime::AmPm designators = datetime::amPmFor(language);
        const QString designatorTexts = designators.am + designators.pm;
        for (const QChar c : designatorTexts)
            QVERIFY2(metrics.inFont(c), qPrintable(grid.font().family()));
        int widest = 0;
        for (int row = 1; row <= grid.MaxRows(); ++row)
            widest = std::max(widest, metrics.horizontalAdvance(grid.GetText(1, row)));
        // A cell draws its text inside its focus frame's margins.
        const int padding = 2 * (grid.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &grid) + 1);
        QVERIFY2(grid.columnWidth(0) >= widest + padding,
                 qPrintable(QStringLiteral("%1 < %2 + %3").arg(grid.columnWidth(0)).arg(widest).arg(padding)));
        graphSettings().LangCode = QStringLiteral("ENG");
    }

    void loadWithoutAFileOnlyAppliesTheTexts()
    {
        SlotData& data = loadedData().slot(2);
        data = SlotData();
        CaptionedGraph graph(QStringLiteral("empty graph"));
        setGraphForm(2, &graph);
        TableWindow window(2);
        window.Load();
        setGraphForm(2, nullptr);
        QCOMPARE(window.windowTitle(), "empty graph");
        QCOMPARE(window.Frame1()->title(), "Selection Statistics");
        QCOMPARE(window.fpSpread1()->MaxRows(), 0);
        QCOMPARE(window.fpSpread1()->MaxCols(), 0);
    }

    void activationClosingAndResizing()
    {
        fillSlot(2, QStringLiteral("QOR1300"), {}, false, 9);
        QMdiArea area;
        area.resize(1200, 900);
        auto* window = new TableWindow(2);
        window->Load();
        QMdiSubWindow* sub = area.addSubWindow(window);
        area.show();
        QVERIFY(QTest::qWaitForWindowExposed(&area));
        loadedData().FileNo = 1;
        area.setActiveSubWindow(nullptr);
        area.setActiveSubWindow(sub);
        QCOMPARE(loadedData().FileNo, 2);
        // Closing hides the sub-window; the window lives on.
        QPointer<TableWindow> alive(window);
        sub->close();
        QCoreApplication::processEvents();
        QVERIFY(alive);
        QVERIFY(sub->isHidden());
        QVERIFY(!window->isHidden());

        // Standalone: closing hides the window itself, and a resize stretches the controls.
        TableWindow standalone(1);
        standalone.show();
        QVERIFY(QTest::qWaitForWindowExposed(&standalone));
        standalone.resize(1934, 1354);
        QCoreApplication::processEvents();
        // Twips of the layout at the reference size 14500 x 10155, stretched by the outer size.
        const double x = standalone.frameGeometry().width() / 14500.0;
        const double y = standalone.frameGeometry().height() / 10155.0;
        QCOMPARE(standalone.fpSpread1()->width(), qRound(10560 * x));
        QCOMPARE(standalone.fpSpread1()->height(), qRound(9720 * y));
        QCOMPARE(standalone.Frame1()->x(), qRound(10800 * x));
        QCOMPARE(standalone.fpSpread2()->y(), qRound(300 * y));
        standalone.close();
        QVERIFY(standalone.isHidden());
        loadedData().FileNo = 2;
        standalone.Activate();
        QCOMPARE(loadedData().FileNo, 1);
    }
};

QTEST_MAIN(TestTableWindow)
#include "tst_tablewindow.moc"

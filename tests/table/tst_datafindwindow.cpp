#include "data/datetime.h"
#include "data/loadeddataset.h"
#include "shell/graphsettings.h"
#include "shell/programstate.h"
#include "shell/slotwindows.h"
#include "support/programfolder.h"
#include "support/scriptedprompts.h"
#include "table/datafindwindow.h"
#include "table/spreadgrid.h"
#include "table/tablewindow.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace qor;

namespace {

// A graph window as the search sees it: a shown span.
class SpanGraph final : public GraphFormView {
  public:
    QWidget* formWidget() override { return &window; }
    QString caption() const override { return {}; }
    double shownFrom() const override { return from; }
    double shownTo() const override { return to; }
    void showSpan(double a, double b) override
    {
        from = a;
        to = b;
    }
    QString infoLine(int) const override { return {}; }
    QWidget window;
    double from = 0;
    double to = 0;
};

double at(int day, int hour, int minute, int second = 0)
{
    return datetime::addSeconds(datetime::dateSerial(2015, 3, day), hour * 3600 + minute * 60 + second);
}

QLineEdit* box(DataFindWindow& window, int index)
{
    return window.findChild<QLineEdit*>(QStringLiteral("Text1_%1").arg(index));
}

void type(DataFindWindow& window, int index, const QString& text)
{
    QLineEdit* edit = box(window, index);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
    QFocusEvent leaving(QEvent::FocusOut); // leaving the box checks it
    QApplication::sendEvent(edit, &leaving);
}

void search(DataFindWindow& window)
{
    window.findChild<QPushButton*>(QStringLiteral("Command2"))->click();
}

} // namespace

class TestDataFindWindow : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<ProgramFolder> m_folder;
    ScriptedPrompts* m_prompts = nullptr;

    // A table of one record a minute from 2015-03-10 23:00 to 2015-03-11 13:00, slot 1.
    std::unique_ptr<TableWindow> table()
    {
        SlotData& data = loadedData().slot(1);
        data.FilePath = QStringLiteral("/data/a.LOG");
        data.setModel(QStringLiteral("QOR1300"));
        auto times = std::make_shared<TimeColumn>();
        for (int i = 0; i <= 14 * 60; ++i)
            times->push_back(datetime::addSeconds(at(10, 23, 0), 60 * i));
        data.RecordCount = static_cast<qint32>(times->size());
        data.TraceData.TimeValue = times;
        auto window = std::make_unique<TableWindow>(1);
        window->Load();
        return window;
    }

  private Q_SLOTS:
    void init()
    {
        m_folder = std::make_unique<ProgramFolder>();
        m_prompts = &ScriptedPrompts::install();
    }

    void theModeComesFromTheActiveWindow()
    {
        QCOMPARE(DataFindWindow::modeFor("frmDataGraph_1"), DataFindWindow::Mode::Graph);
        QCOMPARE(DataFindWindow::modeFor("frmDataDigital_2"), DataFindWindow::Mode::Table);
        QCOMPARE(DataFindWindow::modeFor("frmDataGraph_3"), std::nullopt); // the combined view
        QCOMPARE(DataFindWindow::modeFor("MDIForm1"), std::nullopt);
    }

    void theGraphSpanComesFromTheTexts()
    {
        SpanGraph graph;
        graph.from = at(1, 8, 0, 30);
        graph.to = at(2, 17, 45);
        DataFindWindow window(graph);
        QCOMPARE(window.findChild<QLabel*>("DataTime_1")->text(), "2015-03-01 08:00:30");
        QCOMPARE(window.StartTime(), "2015-03-01 08:00:30");
        QCOMPARE(box(window, 0)->text(), "2015");
        QCOMPARE(box(window, 3)->text(), "08");
        QCOMPARE(box(window, 9)->text(), "45");
        QVERIFY(window.findChild<QWidget*>("Frame1")->isEnabled());
        type(window, 3, "9");
        QCOMPARE(box(window, 3)->text(), "09");
        search(window);
        QCOMPARE(window.StartTime(), "2015/03/01 09:00");
        QCOMPARE(graph.from, at(1, 9, 0));
        QCOMPARE(graph.to, at(2, 17, 45));
        QVERIFY(m_prompts->messages.isEmpty());
    }

    void aStartAfterTheEndIsHandedOver()
    {
        SpanGraph graph;
        graph.from = at(1, 8, 0);
        graph.to = at(2, 8, 0);
        DataFindWindow window(graph);
        type(window, 2, "02"); // start 03-02 08:00, end an hour before it
        type(window, 8, "07");
        search(window);
        QCOMPARE(graph.from, at(2, 8, 0));
        QCOMPARE(graph.to, at(2, 7, 0));
    }

    void theBoxesRefuseWhatIsNoTime_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept"); // "" : refused
        QTest::newRow("year before the data") << 0 << "2014"
                                              << "";
        QTest::newRow("year after the data") << 5 << "2016"
                                             << "";
        QTest::newRow("short year") << 0 << "201"
                                    << "";
        QTest::newRow("year in range") << 0 << "2015"
                                       << "2015";
        QTest::newRow("month 13") << 1 << "13"
                                  << "";
        QTest::newRow("month 12") << 1 << "12"
                                  << "12";
        QTest::newRow("day 32") << 2 << "32"
                                << "";
        QTest::newRow("hour 24") << 3 << "24"
                                 << "24";
        QTest::newRow("hour 25") << 3 << "25"
                                 << "";
        QTest::newRow("minute 60") << 4 << "60"
                                   << "";
        QTest::newRow("letters are not typed") << 4 << "x7y"
                                               << "07";
    }
    void theBoxesRefuseWhatIsNoTime()
    {
        QFETCH(int, index);
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        SpanGraph graph;
        graph.from = at(1, 8, 0);
        graph.to = at(2, 8, 0);
        DataFindWindow window(graph);
        type(window, index, typed);
        QCOMPARE(box(window, index)->text(), kept);
        QCOMPARE(m_prompts->messages.size(), kept.isEmpty() ? 1 : 0);
        if (kept.isEmpty()) {
            QCOMPARE(m_prompts->messages[0].title, "Error");
            QCOMPARE(m_prompts->messages[0].text, "Invalid time, or no data at that time.");
        }
    }

    void anInvalidTimeIsToldAndTheWindowStays()
    {
        SpanGraph graph;
        graph.from = at(1, 8, 0);
        graph.to = at(2, 8, 0);
        DataFindWindow window(graph);
        type(window, 3, "24"); // passes the box, names no time
        window.show();
        search(window);
        QCOMPARE(m_prompts->messages.size(), 1);
        QVERIFY(window.isVisible());
        QCOMPARE(graph.from, at(1, 8, 0));
    }

    // The table scrolls to the first record of the minute: in the middle, at the first record, at
    // midnight (where the table shows the date alone), in every interface language.
    void theTableGoesToTheMinute_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("day");
        QTest::addColumn<QString>("hour");
        QTest::addColumn<QString>("minute");
        QTest::addColumn<int>("row"); // -1: not found
        for (const char* language : {"ENG", "KOR", "CHR"}) {
            QTest::addRow("%s middle", language) << language << "11"
                                                 << "10"
                                                 << "05" << 11 * 60 + 5 + 1;
            QTest::addRow("%s afternoon", language) << language << "11"
                                                    << "12"
                                                    << "30" << 13 * 60 + 30 + 1;
        }
        QTest::newRow("first record") << "ENG"
                                      << "10"
                                      << "23"
                                      << "00" << 1;
        QTest::newRow("midnight") << "ENG"
                                  << "11"
                                  << "00"
                                  << "00" << 61;
        QTest::newRow("no record") << "ENG"
                                   << "11"
                                   << "14"
                                   << "00" << -1;
    }
    // The end row's label and boxes stand under the start row's, whatever the language's words.
    void theEndRowStandsUnderTheStartRow_data()
    {
        QTest::addColumn<QString>("language");
        QTest::newRow("Korean") << "KOR";
        QTest::newRow("English") << "ENG";
        QTest::newRow("Chinese") << "CHR";
    }
    void theEndRowStandsUnderTheStartRow()
    {
        QFETCH(QString, language);
        m_folder->setSetting(QStringLiteral("Language"), QStringLiteral("Language"), language);
        SpanGraph graph;
        graph.from = at(1, 8, 0);
        graph.to = at(2, 17, 45);
        DataFindWindow window(graph);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const auto left = [&window](const QString& name) { return window.findChild<QWidget*>(name)->mapTo(&window, QPoint()).x(); };
        QCOMPARE(left(QStringLiteral("Label5_1")), left(QStringLiteral("Label5_0")));
        for (int k = 0; k < 5; ++k)
            QCOMPARE(left(QStringLiteral("Text1_%1").arg(5 + k)), left(QStringLiteral("Text1_%1").arg(k)));
    }

    void theTableGoesToTheMinute()
    {
        QFETCH(QString, language);
        QFETCH(QString, day);
        QFETCH(QString, hour);
        QFETCH(QString, minute);
        QFETCH(int, row);
        m_folder->setSetting(QStringLiteral("Language"), QStringLiteral("Language"), language);
        const std::unique_ptr<TableWindow> records = table();
        SpreadGrid& grid = *records->fpSpread1();
        DataFindWindow window(grid);
        QCOMPARE(window.findChild<QLabel*>("DataTime_1")->text(), "2015-03-10 23:00");
        QCOMPARE(window.findChild<QLabel*>("DataTime_2")->text(), "2015-03-11 13:00");
        QVERIFY(!window.findChild<QWidget*>("Frame1")->isEnabled());
        type(window, 2, day);
        type(window, 3, hour);
        type(window, 4, minute);
        search(window);
        QCOMPARE(window.StartTime(), QStringLiteral("2015-03-%1 %2:%3").arg(day, hour, minute));
        if (row < 0) {
            QCOMPARE(m_prompts->messages.size(), 1);
            return;
        }
        QVERIFY(m_prompts->messages.isEmpty());
        QCOMPARE(grid.Row(), row);
        QCOMPARE(grid.block(), (GridBlock{1, row, 1, row}));
    }
};

QTEST_MAIN(TestDataFindWindow)
#include "tst_datafindwindow.moc"

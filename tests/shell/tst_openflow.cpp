#include "data/loadeddataset.h"
#include "data/readresult.h"
#include "graph/graphlegend.h"
#include "graph/graphwindow.h"
#include "graph/trendgraph.h"
#include "shell/apppath.h"
#include "shell/graphsettings.h"
#include "shell/main/mainwindow.h"
#include "shell/programstate.h"
#include "shell/slotwindows.h"
#include "shell/stringtable.h"
#include "support/busycanceller.h"
#include "support/filesizelimit.h"
#include "support/fixtures.h"
#include "support/memorylimit.h"
#include "support/programfolder.h"
#include "support/scriptedprompts.h"
#include "table/spreadgrid.h"
#include "table/tablewindow.h"

#include <optional>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QSpontaneKeyEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QWindow>

using namespace qor;

namespace {

// Answers the model selection window once it is shown: picks the option (or none) and confirms,
// or cancels.
void answerModelWindow(const QString& option, bool confirm)
{
    QTimer::singleShot(0, [option, confirm] {
        QWidget* dialog = QApplication::activeModalWidget();
        QVERIFY(dialog && dialog->objectName() == u"frmDataProcess");
        if (!option.isEmpty())
            dialog->findChild<QRadioButton*>(option)->click();
        dialog->findChild<QPushButton*>(confirm ? QStringLiteral("Command2") : QStringLiteral("Command1"))->click();
    });
}

// Closes `window` as the window system does when the user clicks its close button.
void closeAsTheUserDoes(QWindow* window)
{
    QCloseEvent close;
    QSpontaneKeyEvent::setSpontaneous(&close);
    QCoreApplication::instance()->notify(window, &close); // sendEvent would make it the program's own
}

int visibleLegendItems(int slot)
{
    int count = 0;
    for (int item = 1; item <= 9; ++item)
        count += graphWindow(slot)->legend()->itemText(item)->isVisibleTo(graphWindow(slot)) ? 1 : 0;
    return count;
}

// What an open may change: the slots, their windows, the window list and every command.
struct Seen {
    QStringList slots;
    QStringList windows;
    QStringList commands;
    int fileNo = 0;

    bool operator==(const Seen&) const = default;
};

Seen seen(const MainWindow& main)
{
    Seen s;
    for (int slot = 1; slot <= 2; ++slot) {
        const SlotData& data = loadedData().slot(slot);
        s.slots << QStringLiteral("%1 %2 %3 %4 %5")
                       .arg(data.FilePath, data.ModelName())
                       .arg(data.RecordCount)
                       .arg(SlotLoaded(slot))
                       .arg(quintptr(data.TraceData.TimeValue.get()));
        const GraphWindow* graph = graphWindow(slot);
        const auto* table = qobject_cast<TableWindow*>(TableForm(slot));
        s.windows << QStringLiteral("%1 %2 %3 %4 %5 %6")
                         .arg(graph->parentWidget()->isVisible())
                         .arg(graph->windowTitle())
                         .arg(graph->CWGraph1()->plot(1).pointCount())
                         .arg(graph->legend()->isVisible())
                         .arg(table->fpSpread1()->MaxRows())
                         .arg(table->windowTitle());
    }
    for (const QAction* action : main.allCommands())
        s.commands << QStringLiteral("%1 %2 %3 %4 %5")
                          .arg(action->objectName(), action->text())
                          .arg(action->isEnabled())
                          .arg(action->isChecked())
                          .arg(action->isVisible());
    s.fileNo = loadedData().FileNo;
    return s;
}

} // namespace

class TestOpenFlow : public QObject {
    Q_OBJECT

  private:
    std::optional<ProgramFolder> m_folder;
    ScriptedPrompts* m_prompts = nullptr;
    std::unique_ptr<MainWindow> m_main;
    int m_files = 0;

    QString write(const QString& extension, const QByteArray& bytes)
    {
        return fixtures::writeFile(m_folder->dir(), QStringLiteral("20150301080000_Oven%1.%2").arg(++m_files).arg(extension), bytes);
    }

    QString logFile(const QByteArray& model, const QByteArray& option, int values)
    {
        QByteArray bytes = fixtures::logHeader(model, option);
        for (int r = 0; r < 3; ++r)
            bytes += fixtures::logRecord(r, {1, 2, 3, 4, 5, 6, 7, 8, 9}).left(4 + 8 * values);
        return write(QStringLiteral("log"), bytes);
    }

    QString errorLog() const { return QString::fromUtf8(fixtures::contents(m_folder->dir().filePath("TraceReader.log"))); }

  private Q_SLOTS:
    void init()
    {
        m_folder.emplace();
        m_prompts = &ScriptedPrompts::install();
        m_main = std::make_unique<MainWindow>();
        m_main->show();
    }

    void cleanup() { m_main.reset(); }

    void cancellingTheDialogChangesNothing()
    {
        loadedData().FileNo = 2;
        m_main->command("MF_Open")->trigger();
        QCOMPARE(m_prompts->fileFilters, QStringList({"All Files (*.*)", "Data Files (*.csv)", "Data Files (*.log)"}));
        QCOMPARE(m_prompts->selectedFilter, 0);
        QCOMPARE(loadedData().FileNo, 2);
        QVERIFY(!SlotLoaded(1));
        QVERIFY(!m_main->button(2)->isEnabled());
    }

    void aLogFileOpensIntoSlotOneWithItsChannels()
    {
        const QString path = logFile("QOR1000", "", 6);
        m_prompts->fileAnswers.enqueue(path);
        m_main->button(1)->trigger();
        QVERIFY(m_prompts->messages.isEmpty());
        const SlotData& slot = loadedData().slot(1);
        QCOMPARE(slot.FilePath, path); // kept as opened, for every later read
        QCOMPARE(m_main->command("MW_Dis_1")->text(), path.toUpper());
        QCOMPARE(slot.RecordCount, 3);
        QCOMPARE(loadedData().FileNo, 1);
        QVERIFY(SlotLoaded(1));
        QCOMPARE(visibleLegendItems(1), 6);
        QCOMPARE(graphWindow(1)->Label3(0), "1");
        QVERIFY(graphWindow(1)->windowTitle().contains(path.toUpper()));
        for (int index = 2; index <= 13; ++index)
            QVERIFY(m_main->button(index)->isEnabled());
        QVERIFY(m_main->command("MF_Print")->isEnabled());
        QVERIFY(m_main->command("M_TimeAxis")->isEnabled());
    }

    void filesGoToTheFreeSlotThenToTheActiveWindow()
    {
        QVERIFY(m_main->openFile(logFile("QOR1000", "A", 3)));
        QCOMPARE(visibleLegendItems(1), 3);
        QVERIFY(m_main->openFile(logFile("QOR1300", "", 9)));
        QCOMPARE(loadedData().FileNo, 2);
        QCOMPARE(visibleLegendItems(2), 9);
        m_main->mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(graphWindow(1)->parentWidget()));
        const QString third = logFile("QOR1200", "", 6);
        QVERIFY(m_main->openFile(third));
        QCOMPARE(loadedData().slot(1).FilePath, third);
        QCOMPARE(loadedData().slot(1).ModelName(), "QOR1200");
    }

    void filesOfNoKnownKindAreRefused()
    {
        QVERIFY(m_main->openFile(logFile("QOR1300", "", 9)));
        const QString before = loadedData().slot(1).FilePath;
        m_main->mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(graphWindow(1)->parentWidget()));
        QVERIFY(!m_main->openFile(write(QStringLiteral("TXT"), "; QOR1300\r\n")));
        QCOMPARE(m_prompts->messages.size(), 1);
        QVERIFY(m_prompts->messages[0].text.startsWith(stringEntry(MDIFormText::InvalidDataFile) + u'\n')); // and the file's name
        QCOMPARE(m_prompts->messages[0].title, "Error");
        QCOMPARE(loadedData().slot(1).FilePath, before);
        QCOMPARE(loadedData().slot(1).RecordCount, 3);
    }

    void csvFilesNeedTheirModelLine()
    {
        QVERIFY(!m_main->openFile(write(QStringLiteral("CSV"), "2015-03-01 08:00:00,1,2,3\r\n")));
        QCOMPARE(m_prompts->messages.size(), 1);
        QVERIFY(m_prompts->messages[0].text.startsWith(stringEntry(MDIFormText::InvalidDataFile) + u'\n')); // and the file's name
        QVERIFY(!m_main->button(2)->isEnabled());
    }

    void csvChannelsFollowTheOption()
    {
        QVERIFY(m_main->openFile(write(QStringLiteral("CSV"), "; QOR1400\r\n; CH2\r\n2015-03-01 08:00:00,1,2,3\r\n")));
        QCOMPARE(loadedData().slot(1).ModelOption, "CH2");
        QVERIFY(!loadedData().slot(1).AllChannels);
        QCOMPARE(graphWindow(1)->Label3(5), "2");
        QCOMPARE(visibleLegendItems(1), 3);
        QVERIFY(
            m_main->openFile(write(QStringLiteral("CSV"), "; qor1400 with more text\r\n; \r\n2015-03-01 08:00:00,1,2,3,4,5,6,7,8,9\r\n")));
        QVERIFY(loadedData().slot(2).AllChannels);
        QCOMPARE(graphWindow(2)->Label3(5), "0");
        QCOMPARE(visibleLegendItems(2), 9);
    }

    void logChannelsFollowTheOption()
    {
        QVERIFY(m_main->openFile(logFile("QOR1400", "CH1", 3)));
        QCOMPARE(graphWindow(1)->Label3(5), "1");
        QCOMPARE(visibleLegendItems(1), 3);
        QVERIFY(m_main->openFile(logFile("QOR1400", "", 9)));
        QCOMPARE(graphWindow(2)->Label3(5), "0");
        QCOMPARE(visibleLegendItems(2), 9);
    }

    void datFilesNameTheirModel()
    {
        samplegen::Recording recording;
        recording.kind = samplegen::FileKind::Dat;
        recording.model = "QOR510";
        recording.records = 50;
        QVERIFY(m_main->openFile(fixtures::generated(m_folder->dir(), recording)));
        QCOMPARE(loadedData().slot(1).ModelName(), "QOR510");
        QCOMPARE(visibleLegendItems(1), 6);
    }

    void failedReadsAreReportedAndLogged()
    {
        QVERIFY(!m_main->openFile(write(QStringLiteral("LOG"), QByteArray(120, 'x'))));
        QCOMPARE(m_prompts->messages.size(), 1);
        QVERIFY(m_prompts->messages[0].text.startsWith(ReadFailureMessage + u'\n')); // and the file's name
        QCOMPARE(m_prompts->messages[0].title, ReadFailureTitle);
        QVERIFY(errorLog().contains(u"MDIFORM1.MF_Open\""));
        QVERIFY(loadedData().slot(1).FilePath.isEmpty());
        QVERIFY(!m_main->command("MW_Dis_1")->isVisible());

        QVERIFY(!m_main->openFile(write(QStringLiteral("CSV"), "; QOR1300\r\n; \r\n; no data\r\n")));
        QCOMPARE(m_prompts->messages.size(), 2);
        QCOMPARE(m_prompts->messages[1].title, ReadFailureTitle);
        // The fixed message, with the reason the error log gets as its details.
        QVERIFY(m_prompts->messages[1].text.startsWith(ReadFailureMessage + u'\n')); // and the file's name
        QCOMPARE(m_prompts->messages[1].details, QStringLiteral("The file holds no data line with a valid time."));
        QVERIFY(errorLog().contains(m_prompts->messages[1].details));
        QVERIFY(!m_prompts->messages[0].details.isEmpty());
        QVERIFY(errorLog().contains(u"modFunc_Ran.FuncReadCsvFile\""));
        QVERIFY(!m_main->button(2)->isEnabled());
    }

    // Every way an open can end early leaves everything as it was before the command, whether the
    // open was to fill a free slot or to replace the file of a slot in use.
    void aFailedOpenChangesNothing_data()
    {
        QTest::addColumn<QByteArray>("extension");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("cancelModelWindow");
        QTest::addColumn<bool>("intoSlotInUse");
        const QList<std::tuple<const char*, QByteArray, QByteArray, bool>> failures = {
            {"reader failure", "LOG", QByteArray(120, 'x'), false},
            {"no records", "CSV", "; QOR1300\r\n; \r\n; no data\r\n", false},
            {"no model line", "CSV", "2015-03-01 08:00:00,1,2,3\r\n", false},
            {"cancelled model selection", "CSV", ";\r\n2015-03-01 08:00:00,1,2,3\r\n", true},
            {"no such file", "LOG", {}, false},
        };
        for (const auto& [name, extension, bytes, cancel] : failures) {
            QTest::addRow("%s, free slot", name) << extension << bytes << cancel << false;
            QTest::addRow("%s, slot in use", name) << extension << bytes << cancel << true;
        }
    }
    void aFailedOpenChangesNothing()
    {
        QFETCH(QByteArray, extension);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, cancelModelWindow);
        QFETCH(bool, intoSlotInUse);
        QVERIFY(m_main->openFile(logFile("QOR1300", "", 9)));
        if (intoSlotInUse) {
            QVERIFY(m_main->openFile(logFile("QOR1200", "", 6)));
            m_main->showSlotWindow(1);
        }
        const Seen before = seen(*m_main);
        const QString path = bytes.isEmpty()
                                 ? m_folder->dir().filePath(QStringLiteral("20150301080000_gone.") + QString::fromLatin1(extension))
                                 : write(QString::fromLatin1(extension), bytes);
        if (cancelModelWindow)
            answerModelWindow({}, false);
        QVERIFY(!m_main->openFile(path));
        QCOMPARE(m_prompts->messages.size(), cancelModelWindow ? 0 : 1);
        const Seen after = seen(*m_main);
        QCOMPARE(after.slots, before.slots);
        QCOMPARE(after.windows, before.windows);
        QCOMPARE(after.commands, before.commands);
        QCOMPARE(after.fileNo, before.fileNo);

        // The slot still works: its time axis can be switched and back.
        m_main->command("MT_RelaTime")->trigger();
        QCOMPARE(graphWindow(before.fileNo)->Label3(0), "0");
        m_main->command("MT_AbsTime")->trigger();
        QCOMPARE(graphWindow(before.fileNo)->Label3(0), "1");
        QCOMPARE(m_prompts->messages.size(), cancelModelWindow ? 0 : 1);
    }

    // An open the user cancels part way, by the notice's Cancel button or by Escape, ends as
    // quietly as it began: the slots, their windows, the window list and the menus as before, no
    // message and nothing logged. Until then input reaches Cancel alone: a click on the open
    // button starts no second open, and closing the main window closes nothing. Nothing of it is
    // left over: the open button works again, and the next open reads the file whole.
    void aCancelledOpenChangesNothing_data()
    {
        QTest::addColumn<bool>("csv");
        QTest::addColumn<bool>("escape");
        QTest::addColumn<bool>("intoSlotInUse");
        QTest::newRow("log, button, free slot") << false << false << false;
        QTest::newRow("log, escape, slot in use") << false << true << true;
        QTest::newRow("csv, button, slot in use") << true << false << true;
    }
    void aCancelledOpenChangesNothing()
    {
        QFETCH(bool, csv);
        QFETCH(bool, escape);
        QFETCH(bool, intoSlotInUse);
        QVERIFY(m_main->openFile(logFile("QOR1300", "", 9)));
        if (intoSlotInUse) {
            QVERIFY(m_main->openFile(logFile("QOR1200", "", 6)));
            m_main->showSlotWindow(1);
        }
        const int slot = intoSlotInUse ? 1 : 2;
        samplegen::Recording recording;
        recording.kind = csv ? samplegen::FileKind::Csv : samplegen::FileKind::Log;
        recording.records = 150000;
        const QString path = fixtures::generated(m_folder->dir(), recording);
        QWidget* openButton = m_main->findChild<QToolBar*>()->widgetForAction(m_main->button(1));
        const Seen before = seen(*m_main);
        const QString logBefore = errorLog();
        {
            const BusyCanceller canceller(*graphWindow(slot)->Frame1(), escape ? BusyCanceller::By::Escape : BusyCanceller::By::Button,
                                          [&] {
                                              QTest::mouseClick(openButton, Qt::LeftButton);
                                              closeAsTheUserDoes(m_main->windowHandle());
                                          });
            QVERIFY(!m_main->openFile(path));
            QVERIFY(canceller.cancelledAt() && *canceller.cancelledAt() < 1);
        }
        QVERIFY(m_prompts->fileFilters.isEmpty());
        QVERIFY(m_main->isVisible());
        QVERIFY(m_prompts->messages.isEmpty());
        QCOMPARE(errorLog(), logBefore);
        QVERIFY(!QApplication::overrideCursor());
        const Seen after = seen(*m_main);
        QCOMPARE(after.slots, before.slots);
        QCOMPARE(after.windows, before.windows);
        QCOMPARE(after.commands, before.commands);
        QCOMPARE(after.fileNo, before.fileNo);

        QTest::mouseClick(openButton, Qt::LeftButton);
        QCOMPARE(m_prompts->fileFilters.size(), 3);
        QVERIFY(m_main->openFile(path));
        QCOMPARE(loadedData().slot(slot).RecordCount, 150000);
    }

    // A recording whose records need more memory than there is is refused with a message, and the
    // viewer goes on as it was.
    void aRecordingTooLargeForTheMemoryIsRefused()
    {
        QVERIFY(m_main->openFile(logFile("QOR1300", "", 9)));
        const Seen before = seen(*m_main);
        // A hundred million records of nine values: 7.6 GB on disk (sparse), 8 GB in memory.
        const QString path = write(QStringLiteral("LOG"), fixtures::logHeader("QOR1300"));
        QVERIFY(QFile(path).resize(80 + qint64(100'000'000) * 76));
        {
            const MemoryLimit nearlyFull(qint64(512) << 20);
            QVERIFY(!m_main->openFile(path));
        }
        QCOMPARE(m_prompts->messages.size(), 1);
        QCOMPARE(m_prompts->messages[0].text, QStringLiteral("Not enough memory to read %1.").arg(path.toUpper()));
        QVERIFY(errorLog().contains(u"not enough memory to read " + path));
        const Seen after = seen(*m_main);
        QCOMPARE(after.slots, before.slots);
        QCOMPARE(after.windows, before.windows);
        QCOMPARE(after.commands, before.commands);
        QVERIFY(m_main->openFile(logFile("QOR1200", "", 6)));
    }

    // What was read stays what is shown, whatever another program does to the file afterwards: the
    // table scrolled to its end and the cursor moved over every record show the texts read.
    void aFileChangedOnDiskKeepsShowingWhatWasRead()
    {
        QByteArray text = "; QOR1300\r\n; \r\n";
        constexpr int Records = 3000;
        for (int r = 0; r < Records; ++r)
            text += QStringLiteral("2015-03-01 %1:%2:%3, %4.50,40.0,1.5,30.0,30.0,2.5,20.0,20.0,3.5\r\n")
                        .arg(8 + r / 3600, 2, 10, QLatin1Char('0'))
                        .arg(r / 60 % 60, 2, 10, QLatin1Char('0'))
                        .arg(r % 60, 2, 10, QLatin1Char('0'))
                        .arg(r)
                        .toLatin1();
        const QString path = write(QStringLiteral("CSV"), text);
        QVERIFY(m_main->openFile(path));
        GraphWindow& window = *graphWindow(1);
        auto* table = qobject_cast<TableWindow*>(TableForm(1));
        for (const QByteArray& change : {text.left(200), QByteArray(text.size(), 'x'), QByteArray()}) {
            fixtures::setContents(path, change);
            if (change.isEmpty())
                QVERIFY(QFile::remove(path));
            table->fpSpread1()->setTopRow(Records);
            QCOMPARE(table->fpSpread1()->GetText(2, Records), QStringLiteral(" %1.50").arg(Records - 1));
            window.legendClicked(LegendState::SingleCursorItem);
            TrendGraph& graph = *window.CWGraph1();
            for (int r = 0; r < Records; r += 7) {
                graph.cursor(1).setPointIndex(r);
                window.cursors().cursorMoved(1, 0);
                QCOMPARE(window.legend()->itemText(1)->text().section(u':', -1), QStringLiteral("  %1.50").arg(r));
            }
            window.legendClicked(LegendState::SingleCursorItem);
        }
        QCOMPARE(loadedData().slot(1).RecordCount, Records);
    }

    void anOldCsvFileGetsTheChosenModelLine()
    {
        QByteArray old;
        for (int line = 0; line < 1000; ++line)
            old += line == 0 ? QByteArray(";\r\n")
                             : QByteArray("2015-03-01 08:") + QByteArray::number(10 + line / 60) + ':' +
                                   QByteArray::number(10 + line % 50) + ",1,2,3,4,5,6\r\n";
        const QString path = write(QStringLiteral("CSV"), old);
        answerModelWindow(QStringLiteral("Option1_2"), true);
        QVERIFY(m_main->openFile(path));
        QCOMPARE(fixtures::contents(path), "; QOR1200\r\n" + old);
        QCOMPARE(loadedData().slot(1).ModelName(), "QOR1200");
        QCOMPARE(visibleLegendItems(1), 6);
    }

    void confirmingWithoutAChoiceWritesTheFirstModel()
    {
        const QByteArray old = ";\n2015-03-01 08:00:00,1,2,3\n";
        const QString path = write(QStringLiteral("CSV"), old);
        answerModelWindow({}, true);
        QVERIFY(m_main->openFile(path));
        QCOMPARE(fixtures::contents(path), "; QOR1000\r\n" + old);
    }

    void cancellingTheModelWindowLeavesTheFileAlone()
    {
        const QByteArray old = "; old format\r\n2015-03-01 08:00:00,1,2,3\r\n";
        const QString path = write(QStringLiteral("CSV"), old);
        answerModelWindow({}, false);
        QVERIFY(!m_main->openFile(path));
        QCOMPARE(fixtures::contents(path), old);
        QVERIFY(!m_main->command("MW_Dis_1")->isVisible());
    }

    // A model that no CSV model line is recognised for asks again the next time.
    void aModelWithoutCsvReadingIsAskedForAgain()
    {
        const QByteArray old = ";\r\n2015-03-01 08:00:00,1,2,3\r\n";
        const QString path = write(QStringLiteral("CSV"), old);
        answerModelWindow(QStringLiteral("Option1_5"), true); // QOR720
        QTimer::singleShot(50, [] { answerModelWindow({}, false); });
        QVERIFY(!m_main->openFile(path));
        QCOMPARE(fixtures::contents(path), "; QOR720\r\n" + old);
    }

    void aFailedRewriteLeavesTheFileByteForByte()
    {
        QByteArray old = ";\r\n";
        for (int line = 0; line < 2000; ++line)
            old += "2015-03-01 08:00:00,1,2,3\r\n";
        const QString path = write(QStringLiteral("CSV"), old);
        answerModelWindow({}, true);
        {
            const FileSizeLimit fullDisk(1000);
            QVERIFY(!m_main->openFile(path));
        }
        QCOMPARE(fixtures::contents(path), old);
        QCOMPARE(m_prompts->messages.size(), 1);
        QCOMPARE(m_prompts->messages[0].title, "Error");
        QCOMPARE(QDir(m_folder->dir().path()).entryList({"*.CSV.*"}, QDir::Files).size(), 0); // no leftover
    }

    // Files named on the command line and files dropped on the window go to slot 1, then slot 2.
    void namedFilesFillTheSlotsInTurn()
    {
        const QString first = logFile("QOR1300", "", 9);
        const QString second = logFile("QOR1200", "", 6);
        m_main->openFiles({first, second});
        QCOMPARE(loadedData().slot(1).FilePath, first);
        QCOMPARE(loadedData().slot(2).FilePath, second);
    }

    void droppedFilesAreOpened()
    {
        const QString path = logFile("QOR1000", "A", 3);
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(m_main.get(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(m_main.get(), &drop);
        QCOMPARE(loadedData().slot(1).FilePath, path);
        QCOMPARE(loadedData().slot(1).RecordCount, 3);

        QMimeData remote;
        remote.setUrls({QUrl(QStringLiteral("https://example.invalid/x.LOG"))});
        QDragEnterEvent refused(QPoint(10, 10), Qt::CopyAction, &remote, Qt::LeftButton, Qt::NoModifier);
        refused.ignore();
        QApplication::sendEvent(m_main.get(), &refused);
        QVERIFY(!refused.isAccepted());
    }

    // Closing a graph window closes its file: the slot is free, the window list forgets it, the
    // table lets go of the records, and the next open fills the slot again.
    void closingAGraphWindowClosesItsFile()
    {
        QVERIFY(m_main->openFile(logFile("QOR1300", "", 9)));
        QVERIFY(m_main->openFile(logFile("QOR1200", "", 6)));
        const std::weak_ptr<const TimeColumn> times = loadedData().slot(1).TraceData.TimeValue;
        m_main->command("MW_Dis_1")->trigger();
        m_main->button(8)->trigger(); // the table window of slot 1
        auto* table = qobject_cast<TableWindow*>(TableForm(1));
        QVERIFY(table->isVisible());
        graphWindow(1)->parentWidget()->close();
        QVERIFY(!SlotLoaded(1));
        QVERIFY(!m_main->command("MW_Dis_1")->isVisible());
        QVERIFY(m_main->command("MW_Dis_2")->isVisible());
        QVERIFY(!table->isVisible());
        QCOMPARE(table->fpSpread1()->MaxRows(), 0);
        const SlotData& slot = loadedData().slot(1);
        QVERIFY(slot.FilePath.isEmpty() && slot.ModelName().isEmpty() && slot.RecordCount == 0);
        QVERIFY2(times.expired(), "the closed file's records are still held");

        const QString again = logFile("QOR1000", "A", 3);
        QVERIFY(m_main->openFile(again));
        QCOMPARE(loadedData().slot(1).FilePath, again);
        QCOMPARE(loadedData().slot(2).ModelName(), "QOR1200");
        QCOMPARE(m_main->command("MW_Dis_1")->text(), again.toUpper());
        QVERIFY(m_main->command("MW_Dis_1")->isVisible());
    }

    void closingTheLastGraphWindowTakesTheFileCommands()
    {
        QVERIFY(m_main->openFile(logFile("QOR1300", "", 9)));
        QVERIFY(m_main->openFile(logFile("QOR1300", "", 9)));
        graphWindow(1)->parentWidget()->close();
        QVERIFY(m_main->button(2)->isEnabled());
        QVERIFY(loadedData().slot(1).FilePath.isEmpty());
        graphWindow(2)->parentWidget()->close();
        QVERIFY(!m_main->button(2)->isEnabled());
        QVERIFY(!m_main->command("M_TimeAxis")->isEnabled());
        // A closed window is loaded afresh when a file is opened into its slot again.
        QVERIFY(m_main->openFile(logFile("QOR1000", "A", 3)));
        QVERIFY(graphWindow(1)->isLoaded());
        QVERIFY(m_main->button(2)->isEnabled());
    }
};

QTEST_MAIN(TestOpenFlow)
#include "tst_openflow.moc"

#include "data/modeltable.h"
#include "data/recordermodel.h"

#include <QTest>

using namespace qor;
using namespace qor::models;

namespace {

// "PV1 SP1 MV1 / 1 2 3 / T" style summary of a plan: values, plot numbers with their columns, axis.
QString summary(const ReadPlan& plan)
{
    QStringList values, plots;
    for (ColumnId id : plan.values)
        values << QString::number(columnNumber(id));
    for (const PlotAssignment& p : plan.plots)
        plots << QStringLiteral("%1:%2").arg(p.plot).arg(columnNumber(p.column));
    return values.join(u',') + u'/' + plots.join(u',') + (plan.plots4And5OnTemperatureAxis ? u"/T" : u"/O");
}

QString headers(const std::vector<HeaderText>& texts)
{
    QStringList out;
    for (const HeaderText& h : texts)
        out << h.prefix + (h.text.section == StringSection::Digital ? u"D" : u"G") + QString::number(h.text.key);
    return out.join(u',');
}

// "D5,1:D6,2:D7 / D6,D7": the record grid's columns (column number and header) and statistics rows.
QString summary(const std::optional<TableLayout>& layout)
{
    if (!layout)
        return QStringLiteral("none");
    QStringList columns{headers({timeHeader()})};
    for (const GridColumn& c : layout->values)
        columns << QString::number(columnNumber(c.column)) + u':' + headers({c.header});
    return columns.join(u',') + u" / " + headers(layout->statistics);
}

} // namespace

class TestRecorderModel : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void logPlans_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("plan");
        QTest::newRow("QOR1000-Z7") << "QOR1000-Z7"
                                    << ""
                                    << "1,2,3,6/1:1,2:2,3:3,4:6/O";
        QTest::newRow("QOR1000 all") << "QOR1000"
                                     << ""
                                     << "1,2,3,4,5,6/1:1,2:2,3:3,4:4,5:5,6:6/T";
        QTest::newRow("QOR1100 one") << "QOR1100"
                                     << "CH1"
                                     << "1,2,3/1:1,2:2,3:3/O";
        QTest::newRow("QOR1200") << "QOR1200"
                                 << ""
                                 << "1,2,3,4,5,6/1:1,2:2,3:3,4:4,5:5,6:6/O";
        QTest::newRow("QOR520 draws three") << "QOR520"
                                            << ""
                                            << "1,2,3,4,5,6/1:1,2:2,3:3/O";
        QTest::newRow("QOR1300") << "QOR1300"
                                 << "X"
                                 << "1,2,3,4,5,6,7,8,9/1:1,2:2,3:3,4:4,5:5,6:6,7:7,8:8,9:9/T";
        QTest::newRow("QOR1400 all") << "QOR1400"
                                     << ""
                                     << "1,2,3,4,5,6,7,8,9/1:1,2:2,3:3,4:4,5:5,6:6,7:7,8:8,9:9/T";
        QTest::newRow("QOR1400 one") << "QOR1400"
                                     << "A"
                                     << "1,2,3/1:1,2:2,3:3/O";
        QTest::newRow("QOR1400-Z11 as unknown") << "QOR1400-Z11"
                                                << ""
                                                << "1,2,3/1:1,2:2,3:3/O";
        QTest::newRow("unknown") << "XYZ"
                                 << ""
                                 << "1,2,3/1:1,2:2,3:3/O";
        QTest::newRow("lower case is unknown") << "qor1300"
                                               << ""
                                               << "1,2,3/1:1,2:2,3:3/O";
    }
    void logPlans()
    {
        QFETCH(QString, model);
        QFETCH(QString, option);
        QFETCH(QString, plan);
        QCOMPARE(summary(logPlan(traitsOf(model), option)), plan);
    }

    void csvPlans_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<bool>("allChannels");
        QTest::addColumn<QString>("plan");
        QTest::newRow("QOR1000") << "QOR1000" << true << "1,2,3/1:1,2:2,3:3/O";
        QTest::newRow("QOR510 draws none") << "QOR510" << false << "1,2,3//O";
        QTest::newRow("QOR1000-Z7") << "QOR1000-Z7" << false << "1,2,3,6/1:1,2:2,3:3,4:6/O";
        QTest::newRow("QOR1200") << "QOR1200" << false << "1,2,3,4,5,6/1:1,2:2,3:3,4:4,5:5,6:6/O";
        QTest::newRow("QOR520 draws none") << "QOR520" << false << "1,2,3,4,5,6//O";
        QTest::newRow("QOR1300") << "QOR1300" << false << "1,2,3,4,5,6,7,8,9/1:1,2:2,3:3,4:4,5:5,6:6,7:7,8:8,9:9/T";
        QTest::newRow("QOR1400-Z12 all") << "QOR1400-Z12" << true << "1,2,3,4,5,6,7,8,9/1:1,2:2,3:3,4:4,5:5,6:6,7:7,8:8,9:9/T";
        QTest::newRow("QOR1400 one") << "QOR1400" << false << "1,2,3/1:1,2:2,3:3/O";
        QTest::newRow("QOR720 has no reader") << "QOR720" << false << "//O";
    }
    void csvPlans()
    {
        QFETCH(QString, model);
        QFETCH(bool, allChannels);
        QFETCH(QString, plan);
        QCOMPARE(summary(csvPlan(traitsOf(model), allChannels)), plan);
    }

    void datPlans()
    {
        QCOMPARE(summary(datPlan(traitsOf(u"QOR500"))), "1,2,3/1:1,2:2,3:3/O");
        QCOMPARE(summary(datPlan(traitsOf(u"QOR510"))), "1,2,3,4,5,6/1:1,2:2,3:3,4:4,5:5,6:6/T");
        QCOMPARE(summary(datPlan(traitsOf(u"ABCDEF"))), "1,2,3//O");
    }

    void legendEntriesByKind()
    {
        QCOMPARE(legendEntries(FileKind::Log, traitsOf(u"QOR1000"), u""), 6);
        QCOMPARE(legendEntries(FileKind::Log, traitsOf(u"QOR1000"), u"A"), 3);
        QCOMPARE(legendEntries(FileKind::Log, traitsOf(u"QOR1000-Z7"), u""), 4);
        QCOMPARE(legendEntries(FileKind::Log, traitsOf(u"QOR1400"), u""), 9);
        QCOMPARE(legendEntries(FileKind::Log, traitsOf(u"QOR520"), u""), 0);
        QCOMPARE(legendEntries(FileKind::Csv, traitsOf(u"QOR1100"), u""), 3);
        QCOMPARE(legendEntries(FileKind::Csv, traitsOf(u"QOR1400"), u"B"), 3);
        QCOMPARE(legendEntries(FileKind::Csv, traitsOf(u"QOR1300"), u""), 9);
        QCOMPARE(legendEntries(FileKind::Dat, traitsOf(u"QOR510"), u""), 6);
        QCOMPARE(legendEntries(FileKind::Dat, traitsOf(u"QOR500"), u""), 3);
        QCOMPARE(legendEntries(FileKind::Unknown, traitsOf(u"QOR1300"), u""), 0);
    }

    void exportHeadings()
    {
        QCOMPARE(exportHeading(traitsOf(u"QOR1400"), u"A"), "TIME,PV,SP,MV");
        QCOMPARE(exportHeading(traitsOf(u"QOR500"), u""), "TIME,PV,SP,MV");
        QCOMPARE(exportHeading(traitsOf(u"QOR1100"), u""), "TIME,CH1_PV,CH1_SP,CH1_MV,CH2_PV,CH2_SP,CH2_MV");
        QCOMPARE(exportHeading(traitsOf(u"QOR510"), u"X"), "TIME,CH1_PV,CH1_SP,CH1_MV,CH2_PV,CH2_SP,CH2_MV");
        QCOMPARE(exportHeading(traitsOf(u"QOR1200"), u""), "TIME,TPV,TSP,TMV,HPV,HSP,HMV");
        QCOMPARE(exportHeading(traitsOf(u"QOR1300"), u""), "TIME,Hi.PV,Hi.SP,Hi.MV,Exp.PV,Exp.SP,Exp.MV,Lo.PV,Lo.SP,Lo.MV");
        QCOMPARE(exportHeading(traitsOf(u"QOR1400"), u""), "TIME,CH1_PV,CH1_SP,CH1_MV,CH2_PV,CH2_SP,CH2_MV,CH3_PV,CH3_SP,CH3_MV");
        QCOMPARE(exportHeading(traitsOf(u"QOR1400-Z11"), u""), "");
        QCOMPARE(exportHeading(traitsOf(u"QOR1000-Z7"), u""), "");
    }

    void tableLayouts_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("option");
        QTest::addColumn<bool>("allChannels");
        QTest::addColumn<int>("channels");
        QTest::addColumn<QString>("layout");
        const QString one = QStringLiteral("D5,1: D6,2: D7,3: D8 / D6,D7,D8");
        const QString two = QStringLiteral("D5,1:CH1_D6,2:D7,3:D8,4:CH2_D6,5:D7,6:D8 / CH1 D6,CH1 D7,CH1 D8,CH2 D6,CH2 D7,CH2 D8");
        QTest::newRow("QOR1000 option") << "QOR1000"
                                        << "CH1" << false << 1 << "D5,1:CH1 D6,2:CH1 D7,3:CH1 D8 / D6,D7,D8";
        QTest::newRow("QOR1000 two channels") << "QOR1000"
                                              << "" << false << 2 << two;
        QTest::newRow("QOR1100 one channel filled") << "QOR1100"
                                                    << "" << false << 1 << one;
        QTest::newRow("QOR500") << "QOR500"
                                << "" << false << 2 << one;
        QTest::newRow("QOR510") << "QOR510"
                                << "" << false << 2 << two;
        QTest::newRow("QOR510 option") << "QOR510"
                                       << "X" << false << 2
                                       << QString(two).replace(QStringLiteral(" / CH1 D6,CH1 D7,CH1 D8,CH2 D6,CH2 D7,CH2 D8"),
                                                               QStringLiteral(" / D6,D7,D8"));
        QTest::newRow("QOR510 one channel filled") << "QOR510"
                                                   << "" << false << 1 << one;
        QTest::newRow("QOR1000-Z7") << "QOR1000-Z7"
                                    << "" << false << 1 << "D5,1:D6,2:D7,3:G21,6:G22 / D6,D7,G21,G22";
        QTest::newRow("QOR1200") << "QOR1200"
                                 << "" << false << 2 << "D5,1:D6,2:D7,3:D8,4:D9,5:D10,6:D11 / D6,D7,D8,D9,D10,D11";
        QTest::newRow("QOR520") << "QOR520"
                                << "" << false << 2 << "D5,1:D6,2:D7,3:D8,4:D9,5:D10,6:D11 / D6,D7,D8,D9,D10,D11";
        QTest::newRow("QOR1300") << "QOR1300"
                                 << "" << false << 3
                                 << "D5,1:D12,2:D13,3:D14,4:D15,5:D16,6:D17,7:D18,8:D19,9:D20 / D12,D13,D14,D15,D16,D17,D18,D19,D20";
        QTest::newRow("QOR1400 all")
            << "QOR1400"
            << "" << true << 3 << "D5,1:CH1_D6,2:D7,3:D8,4:CH2_D6,5:D7,6:D8,7:CH3_D6,8:D7,9:D8 / CH1 D6,D7,D8,CH2 D6,D7,D8,CH3 D6,D7,D8";
        QTest::newRow("QOR1400-Z11 one") << "QOR1400-Z11"
                                         << "B" << false << 1 << "D5,1:B D6,2:B D7,3:B D8 / D6,D7,D8";
        QTest::newRow("QOR1400-Z12 flag without channels") << "QOR1400-Z12"
                                                           << "" << true << 1 << one;
        QTest::newRow("QOR720") << "QOR720"
                                << "" << false << 1 << "none";
        QTest::newRow("lower case") << "qor1300"
                                    << "" << false << 3 << "none";
    }
    void tableLayouts()
    {
        QFETCH(QString, model);
        QFETCH(QString, option);
        QFETCH(bool, allChannels);
        QFETCH(int, channels);
        QFETCH(QString, layout);
        QCOMPARE(summary(tableLayout(traitsOf(model), option, allChannels, channels)), layout);
    }

    void tableTitlesAndFilledChannels()
    {
        QCOMPARE(tableTitleKey(traitsOf(u"QOR510")), std::optional(DigitalText::DataTable));
        QCOMPARE(tableTitleKey(traitsOf(u"QOR1400")), std::optional(DigitalText::DataTable));
        QCOMPARE(tableTitleKey(traitsOf(u"QOR520")), std::optional(DigitalText::TemperatureHumidityTable));
        QCOMPARE(tableTitleKey(traitsOf(u"QOR1300")), std::optional(DigitalText::ThreeChannelTable));
        QVERIFY(!tableTitleKey(traitsOf(u"QOR1400-Z11")));
        QVERIFY(!tableTitleKey(traitsOf(u"QOR1000-Z7")));
        TraceColumns columns;
        columns.values = TraceColumns::blankValues(4);
        const ColumnPtr filled = std::make_shared<const DoubleColumn>(NumberArray(4, 1.0));
        columns.column(ColumnId::PV1) = filled;
        QCOMPARE(filledChannels(columns), 1);
        columns.column(ColumnId::PV3) = filled; // channel 3 without channel 2 counts for nothing
        QCOMPARE(filledChannels(columns), 1);
        columns.column(ColumnId::PV2) = filled;
        QCOMPARE(filledChannels(columns), 3);
        columns.column(ColumnId::PV3) = std::make_shared<const BlankColumn>(4);
        QCOMPARE(filledChannels(columns), 2);
    }

    void fileKindByExtension()
    {
        QCOMPARE(fileKindOf(u"/a/b/20150301080000.csv"), FileKind::Csv);
        QCOMPARE(fileKindOf(u"C:\\DATA\\X.LOG"), FileKind::Log);
        QCOMPARE(fileKindOf(u"x.Dat"), FileKind::Dat);
        QCOMPARE(fileKindOf(u"x.txt"), FileKind::Unknown);
        QCOMPARE(fileKindOf(u"LOG"), FileKind::Unknown);
    }

    void logHeaderRecognition()
    {
        QCOMPARE(logModelName(u"[QOR1300]                               "), std::optional<QString>("QOR1300"));
        QCOMPARE(logModelName(u"  [qor1300] trailing"), std::optional<QString>("qor1300"));
        QVERIFY(!logModelName(u"QOR1300 without a bracket"));
        QVERIFY(!logModelName(u""));
        QCOMPARE(logModelOption(u"                                        "), "");
        // Only blanks are trimmed; other padding counts as text.
        QCOMPARE(logModelOption(u" CH1\t "), "CH1\t");
    }

    void csvHeaderRecognition()
    {
        QVERIFY(hasCsvModelLine(u"; QOR1300"));
        QVERIFY(!hasCsvModelLine(u" ; QOR1300"));
        QCOMPARE(csvModelName(u"; qor1300"), "QOR1300");
        QCOMPARE(csvModelName(u";\tQOR1300 and more text"), "QOR1300");
        QCOMPARE(csvModelName(u"; QOR1000-Z7"), "QOR1000");
        QCOMPARE(csvModelName(u"; QOR520"), "QOR520");
        QVERIFY(isRecognisedCsvModel(traitsOf(u"QOR1400")));
        QVERIFY(!isRecognisedCsvModel(traitsOf(u"QOR520")));
        QVERIFY(!isRecognisedCsvModel(traitsOf(u"QOR720")));
        // The model line is only looked at up to its 40th character.
        QCOMPARE(csvModelName(QString(QString(38, u' ') + u";QOR1300")), "");
    }

    void csvOptionLines()
    {
        QCOMPARE(csvModelOption(traitsOf(u"QOR1000"), u"; ch1 "), std::optional<QString>("CH1"));
        QCOMPARE(csvModelOption(traitsOf(u"QOR1100"), u"  ;ab"), std::optional<QString>(";AB")); // not trimmed first
        QCOMPARE(csvModelOption(traitsOf(u"QOR1400"), u"  ;ab"), std::optional<QString>("B"));   // trimmed first
        QCOMPARE(csvModelOption(traitsOf(u"QOR1400"), u"; "), std::optional<QString>(""));
        QCOMPARE(csvModelOption(traitsOf(u"QOR1400"), u""), std::optional<QString>(""));
        QVERIFY(!csvModelOption(traitsOf(u"QOR1300"), u"; X"));
        QCOMPARE(csvChannelDisplayCode(u"; CH2"), 2);
        QCOMPARE(csvChannelDisplayCode(u"; "), 0);
        QCOMPARE(csvChannelDisplayCode(u"; PID"), 0);
    }
};

QTEST_GUILESS_MAIN(TestRecorderModel)
#include "tst_recordermodel.moc"

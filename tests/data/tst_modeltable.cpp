#include "data/modeltable.h"
#include "data/recordermodel.h"

#include <QTest>

#include <algorithm>
#include <set>

using namespace qor;
using namespace qor::models;

namespace {

const std::vector<QString> Options{QString(), QStringLiteral("CH1")};

// Every column some reader fills for a file of the model.
std::set<ColumnId> filledByAnyReader(const ModelTraits& row)
{
    std::set<ColumnId> out;
    for (const FileTraits* file : {&row.log, &row.csv, &row.dat}) {
        for (const PlanCell* plan : {&file->plan, &file->narrowedPlan})
            out.insert(plan->values.begin(), plan->values.end());
    }
    return out;
}

// The plans of every file kind the model has, for files with and without an option.
std::vector<ReadPlan> plansOf(QStringView model)
{
    std::vector<ReadPlan> out{datPlan(traitsOf(model))};
    for (const QString& option : Options)
        out.push_back(logPlan(traitsOf(model), option));
    for (bool allChannels : {false, true})
        out.push_back(csvPlan(traitsOf(model), allChannels));
    return out;
}

// A statistics row evaluates the record-grid column after its own index, so there can be no more
// rows than columns; every column shown must be one a reader fills.
void verifyLayout(const TableLayout& layout, const std::set<ColumnId>& filled)
{
    QVERIFY(!layout.values.empty());
    QVERIFY(layout.statistics.size() <= layout.values.size());
    for (const GridColumn& column : layout.values)
        QVERIFY2(filled.contains(column.column), qPrintable(QString::number(columnNumber(column.column))));
}

void addModelRows()
{
    QTest::addColumn<QString>("model");
    for (const ModelTraits& row : modelTable())
        QTest::newRow(qPrintable(row.name.toString())) << row.name.toString();
}

} // namespace

class TestModelTable : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    // A second row of the same name would never be looked up.
    void namesAreUnique()
    {
        std::set<QString> names;
        for (const ModelTraits& row : modelTable()) {
            QVERIFY(!row.name.isEmpty());
            QVERIFY2(names.insert(row.name.toString()).second, qPrintable(row.name.toString()));
        }
    }

    // Plots are drawn from columns the plan fills, each once; the temperature axis needs plots 4
    // and 5; the open command shows no legend entry for a plot that is not drawn.
    void plansDrawWhatTheyFill_data() { addModelRows(); }
    void plansDrawWhatTheyFill()
    {
        QFETCH(QString, model);
        for (const ReadPlan& plan : plansOf(model)) {
            QVERIFY(plan.plots.size() <= plan.values.size());
            QCOMPARE(std::set<ColumnId>(plan.values.begin(), plan.values.end()).size(), plan.values.size());
            for (const PlotAssignment& p : plan.plots)
                QVERIFY(plan.fills(p.column));
            QVERIFY(!plan.plots4And5OnTemperatureAxis || plan.plots.size() >= 5);
        }
        const ModelTraits& row = traitsOf(model);
        for (const FileTraits* file : {&row.log, &row.csv, &row.dat}) {
            QVERIFY(file->legendEntries <= file->plan.plots);
            QVERIFY(file->narrowedLegendEntries <= file->narrowedPlan.plots);
        }
    }

    void tablesShowFilledColumns_data() { addModelRows(); }
    void tablesShowFilledColumns()
    {
        QFETCH(QString, model);
        const ModelTraits& row = traitsOf(model);
        QVERIFY(row.table.entries.empty() || row.table.channels == 0);
        QVERIFY(row.table.channels >= 0 && row.table.channels <= 3);
        const std::set<ColumnId> filled = filledByAnyReader(row);
        bool hasLayout = false;
        for (const QString& option : Options) {
            for (bool allChannels : {false, true}) {
                for (int channels = 1; channels <= 3; ++channels) {
                    const std::optional<TableLayout> layout = tableLayout(traitsOf(model), option, allChannels, channels);
                    hasLayout = hasLayout || layout.has_value();
                    if (layout)
                        verifyLayout(*layout, filled);
                }
            }
        }
        // A title key titles a window that has a layout to show.
        QVERIFY(!row.table.titleKey || hasLayout);
    }

    // The listed series are typed in by hand; the channel rules name the channels themselves.
    void listedSeriesShowFilledColumns_data() { addModelRows(); }
    void listedSeriesShowFilledColumns()
    {
        QFETCH(QString, model);
        const ModelTraits& row = traitsOf(model);
        QCOMPARE(row.series.rule == SeriesRule::Listed, !row.series.entries.empty());
        QCOMPARE(row.series.rule == SeriesRule::None, !row.series.legendTitleKey);
        const std::set<ColumnId> filled = filledByAnyReader(row);
        for (const SeriesEntry& entry : row.series.entries)
            QVERIFY2(filled.contains(entry.column), qPrintable(QString::number(columnNumber(entry.column))));
    }

    // A CSV file naming a recognised model must have a reader, and its name must fit the seven
    // characters the model line is cut to.
    void recognisedCsvModelsAreReadable_data() { addModelRows(); }
    void recognisedCsvModelsAreReadable()
    {
        QFETCH(QString, model);
        if (!isRecognisedCsvModel(traitsOf(model)))
            return;
        QVERIFY(csvPlan(traitsOf(model), false).hasReader());
        QVERIFY(csvPlan(traitsOf(model), true).hasReader());
        QCOMPARE(csvModelName(QString(u"; " + model)), model);
    }

    // No frame of the selection window stays empty, and confirming without a choice writes a model
    // line the CSV reader recognises.
    void oldCsvChoices()
    {
        const std::vector<ModelChoice> choices = oldCsvModelChoices();
        QVERIFY(!choices.empty());
        std::set<int> frames;
        for (const ModelChoice& choice : choices)
            frames.insert(choice.frame);
        QCOMPARE(*frames.begin(), 0);
        QCOMPARE(static_cast<std::size_t>(*frames.rbegin() + 1), frames.size());
        QVERIFY(hasCsvModelLine(choices.front().modelLine));
        QVERIFY(isRecognisedCsvModel(traitsOf(csvModelName(choices.front().modelLine))));
    }
};

QTEST_GUILESS_MAIN(TestModelTable)
#include "tst_modeltable.moc"

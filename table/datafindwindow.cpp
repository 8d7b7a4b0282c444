#include "datafindwindow.h"

#include "spreadgrid.h"

#include "data/datetime.h"
#include "shell/graphsettings.h"
#include "shell/prompts.h"
#include "shell/slotwindows.h"
#include "shell/stringtable.h"

#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpacerItem>
#include <QTimer>

#include <algorithm>
#include <exception>
#include <initializer_list>

namespace qor {

namespace {

// The characters of a range text ("yyyy-mm-dd hh:mm") that go into the year, month, day, hour and
// minute boxes.
constexpr std::array<std::pair<int, int>, 5> BoxFields = {{{0, 4}, {5, 2}, {8, 2}, {11, 2}, {14, 2}}};

// The largest value of the month, day, hour and minute boxes.
constexpr std::array<int, 5> BoxMaximum = {0, 12, 31, 24, 59};

bool isDigits(const QString& text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

} // namespace

std::optional<DataFindWindow::Mode> DataFindWindow::modeFor(const QString& childName)
{
    // The combined view's windows (slot 3) hold three files: the search is not offered there.
    if (childName.endsWith(u"_3"))
        return std::nullopt;
    if (childName.startsWith(u"frmDataGra"))
        return Mode::Graph;
    if (childName.startsWith(u"frmDataDig"))
        return Mode::Table;
    return std::nullopt;
}

DataFindWindow::DataFindWindow(Mode mode, QWidget* parent)
    : QDialog(parent)
    , m_mode(mode)
    , m_separator(mode == Mode::Graph ? u'/' : u'-')
{
    setObjectName(QStringLiteral("frmDataFind"));
    setModal(true);
    buildControls();
    applyStrings();
}

DataFindWindow::DataFindWindow(GraphFormView& graph, QWidget* parent)
    : DataFindWindow(Mode::Graph, parent)
{
    m_graph = &graph;
    const QStringView pattern = u"yyyy-mm-dd hh:mm:ss";
    showRange(datetime::format(graph.shownFrom(), pattern), datetime::format(graph.shownTo(), pattern));
}

DataFindWindow::DataFindWindow(SpreadGrid& records, QWidget* parent)
    : DataFindWindow(Mode::Table, parent)
{
    m_records = &records;
    const auto text = [&records](int row) {
        const std::optional<double> time = records.cells().time(1, row);
        return time ? datetime::format(*time, u"yyyy-mm-dd hh:mm") : QString();
    };
    showRange(text(1), text(records.MaxRows()));
    m_endFrame->setEnabled(false);
}

// The start row stands in the grid of the headings, the end row in the frame that the table's
// search disables, each in a grid of its own: alignRows() keeps their columns one above the other.
void DataFindWindow::buildControls()
{
    m_grid = new QGridLayout;
    m_rangeHeading = new QLabel(this);
    m_rangeHeading->setObjectName(QStringLiteral("Label3"));
    m_grid->addWidget(m_rangeHeading, 0, 0);
    for (int i = 0; i < 2; ++i) {
        m_dataTime[static_cast<std::size_t>(i)] = new QLabel(this);
        m_dataTime[static_cast<std::size_t>(i)]->setObjectName(QStringLiteral("DataTime_%1").arg(i + 1));
        m_grid->addWidget(m_dataTime[static_cast<std::size_t>(i)], 0, 1 + 3 * i, 1, 3);
    }
    m_inputHeading = new QLabel(this);
    m_inputHeading->setObjectName(QStringLiteral("Label2"));
    m_grid->addWidget(m_inputHeading, 1, 0);
    for (int k = 0; k < 5; ++k) {
        m_units[static_cast<std::size_t>(k)] = new QLabel(this);
        m_units[static_cast<std::size_t>(k)]->setObjectName(QStringLiteral("Label1_%1").arg(k));
        m_grid->addWidget(m_units[static_cast<std::size_t>(k)], 2, 1 + k);
    }
    m_endFrame = new QFrame(this);
    m_endFrame->setObjectName(QStringLiteral("Frame1"));
    m_endGrid = new QGridLayout(m_endFrame);
    m_endGrid->setContentsMargins(0, 0, 0, 0);
    addTimeRow(0, this, *m_grid, 3);
    addTimeRow(1, m_endFrame, *m_endGrid, 0);
    m_search = new QPushButton(this);
    m_search->setObjectName(QStringLiteral("Command2"));
    m_close = new QPushButton(this);
    m_close->setObjectName(QStringLiteral("Command1"));
    connect(m_search, &QPushButton::clicked, this, &DataFindWindow::search);
    connect(m_close, &QPushButton::clicked, this, &DataFindWindow::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_search);
    buttons->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_grid);
    layout->addWidget(m_endFrame);
    layout->addLayout(buttons);
}

// Row 0 is the start, row 1 the end: its label, then the year, month, day, hour and minute boxes.
// Whatever width is left goes to a last, empty column, the same in both grids.
void DataFindWindow::addTimeRow(int row, QWidget* owner, QGridLayout& grid, int gridRow)
{
    m_rowLabels[static_cast<std::size_t>(row)] = new QLabel(owner);
    m_rowLabels[static_cast<std::size_t>(row)]->setObjectName(QStringLiteral("Label5_%1").arg(row));
    grid.addWidget(m_rowLabels[static_cast<std::size_t>(row)], gridRow, 0);
    for (int k = 0; k < 5; ++k) {
        const int index = row * 5 + k;
        auto* box = new QLineEdit(owner);
        box->setObjectName(QStringLiteral("Text1_%1").arg(index));
        box->setFixedWidth(k == 0 ? 64 : 40);
        box->installEventFilter(this);
        m_boxes[static_cast<std::size_t>(index)] = box;
        grid.addWidget(box, gridRow, 1 + k);
    }
    grid.addItem(new QSpacerItem(0, 0, QSizePolicy::Expanding, QSizePolicy::Minimum), gridRow, 6);
}

// Each column as wide as the widest of what either grid holds in it, in the language shown, each
// widget at the size its layout gives it (a box's fixed width, not its text's).
void DataFindWindow::alignRows()
{
    const auto widest = [](std::initializer_list<const QWidget*> widgets) {
        int width = 0;
        for (const QWidget* widget : widgets)
            width = std::max(width, widget->sizeHint().boundedTo(widget->maximumSize()).expandedTo(widget->minimumSize()).width());
        return width;
    };
    const int labels = widest({m_rangeHeading, m_inputHeading, m_rowLabels[0], m_rowLabels[1]});
    m_grid->setColumnMinimumWidth(0, labels);
    m_endGrid->setColumnMinimumWidth(0, labels);
    for (std::size_t k = 0; k < m_units.size(); ++k) {
        const int width = widest({m_units[k], m_boxes[k], m_boxes[k + 5]});
        m_grid->setColumnMinimumWidth(int(k) + 1, width);
        m_endGrid->setColumnMinimumWidth(int(k) + 1, width);
    }
}

void DataFindWindow::applyStrings()
{
    setWindowTitle(stringEntry(FindText::DataSearch));
    for (int k = 0; k < 5; ++k)
        m_units[static_cast<std::size_t>(k)]->setText(stringEntry(keyAfter(FindText::Year, k)));
    m_inputHeading->setText(stringEntry(FindText::SearchTime));
    m_rangeHeading->setText(stringEntry(FindText::DataRange));
    m_rowLabels[0]->setText(stringEntry(FindText::Start));
    m_rowLabels[1]->setText(stringEntry(FindText::End));
    m_search->setText(stringEntry(FindText::Search));
    m_close->setText(stringEntry(FindText::Close));
    alignRows();
}

void DataFindWindow::showRange(const QString& first, const QString& last)
{
    m_dataTime[0]->setText(first);
    m_dataTime[1]->setText(last);
    m_startTime = first;
    m_endTime = last;
    for (int row = 0; row < 2; ++row) {
        const QString& range = row == 0 ? first : last;
        for (int k = 0; k < 5; ++k)
            m_boxes[static_cast<std::size_t>(row * 5 + k)]->setText(range.mid(BoxFields[k].first, BoxFields[k].second));
    }
}

// Digits and backspace only; a box is checked as it is left.
bool DataFindWindow::eventFilter(QObject* watched, QEvent* event)
{
    const auto* found = std::find(m_boxes.begin(), m_boxes.end(), watched);
    if (found == m_boxes.end())
        return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        const QString text = static_cast<QKeyEvent*>(event)->text();
        return text.size() == 1 && text.front().isPrint() && !isDigits(text);
    }
    if (event->type() == QEvent::FocusOut)
        checkBox(static_cast<int>(found - m_boxes.begin()));
    return false;
}

// The year lies within the data's years and has four digits; the other fields stay within their
// largest value and are written with two digits. An empty box passes.
void DataFindWindow::checkBox(int index)
{
    QLineEdit* box = m_boxes[static_cast<std::size_t>(index)];
    const QString text = box->text();
    const int field = index % 5;
    if (field == 0) {
        if (text.size() != 4 || text < m_dataTime[0]->text().left(4) || text > m_dataTime[1]->text().left(4))
            refuse(box);
        return;
    }
    if (text.isEmpty())
        return;
    if (!isDigits(text) || text.toInt() > BoxMaximum[static_cast<std::size_t>(field)]) {
        refuse(box);
        return;
    }
    box->setText(QStringLiteral("%1").arg(text.toInt(), 2, 10, QLatin1Char('0')));
}

// Tells that the time is not valid or not found; a refused box is emptied and gets the focus again.
void DataFindWindow::refuse(QLineEdit* box)
{
    if (box)
        box->clear();
    prompts().message(this, stringEntry(FindText::NoDataAtTime), QStringLiteral("Error"));
    if (box)
        QTimer::singleShot(0, box, qOverload<>(&QWidget::setFocus));
}

QString DataFindWindow::typedTime(int firstBox) const
{
    const auto box = [&](int k) { return m_boxes[static_cast<std::size_t>(firstBox + k)]->text(); };
    return box(0) + m_separator + box(1) + m_separator + box(2) + u' ' + box(3) + u':' + box(4);
}

// Any failure is told and leaves the window open.
void DataFindWindow::search()
{
    m_startTime = typedTime(0);
    m_endTime = typedTime(5);
    bool found = false;
    try {
        found = m_mode == Mode::Graph ? searchGraph() : searchTable();
    } catch (const std::exception&) {
        found = false;
    }
    if (!found) {
        refuse();
        return;
    }
    accept();
}

bool DataFindWindow::searchGraph()
{
    const std::optional<double> from = datetime::minuteFromText(m_startTime);
    const std::optional<double> to = datetime::minuteFromText(m_endTime);
    if (!from || !to)
        return false;
    m_graph->showSpan(*from, *to);
    return true;
}

// The first record of the start minute. Its text begins with the minute's general text, except at
// midnight, where the table shows the date alone.
bool DataFindWindow::searchTable()
{
    const std::optional<double> minute = datetime::minuteFromText(m_startTime);
    if (!minute)
        return false;
    const int lastRow = m_records->MaxRows();
    int row = -1;
    const QString date = datetime::format(*minute, u"yyyy-mm-dd");
    if (const datetime::DateTimeParts parts = datetime::partsOf(*minute); parts.hour == 0 && parts.minute == 0) {
        const int midnight = m_records->SearchCol(1, 1, lastRow, date);
        if (midnight >= 1 && m_records->GetText(1, midnight) == date)
            row = midnight;
    }
    if (row < 1)
        row = m_records->SearchCol(1, 1, lastRow, datetime::format(*minute, u"yyyy-mm-dd AMPM h:mm", interfaceAmPm()));
    if (row < 1)
        return false;
    m_records->setRow(row);
    m_records->setAction(1);
    return true;
}

} // namespace qor

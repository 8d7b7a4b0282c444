#pragma once

#include <QDialog>

#include <array>
#include <optional>

class QFrame;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace qor {

class GraphFormView;
class SpreadGrid;

// The search window "frmDataFind". Over a graph window it shows the time span typed as start and
// end; over a table window it scrolls the table to the first record of the start minute. Each of
// the ten boxes takes digits only and is checked when it is left.
class DataFindWindow final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DataFindWindow)

  public:
    enum class Mode { Graph, Table };
    static constexpr int BoxCount = 10; // start year, month, day, hour, minute; then the end's

    // The mode for the main window's active child window, by its name; nullopt where the search
    // is not offered (no window, the combined view).
    static std::optional<Mode> modeFor(const QString& childName);

    // Searches the graph window of a slot, or its table's record grid.
    DataFindWindow(GraphFormView& graph, QWidget* parent = nullptr);
    DataFindWindow(SpreadGrid& records, QWidget* parent = nullptr);

    QString StartTime() const { return m_startTime; }
    QString EndTime() const { return m_endTime; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    DataFindWindow(Mode mode, QWidget* parent);
    void buildControls();
    void addTimeRow(int row, QWidget* owner, QGridLayout& grid, int gridRow);
    void alignRows();
    void applyStrings();
    void showRange(const QString& first, const QString& last);
    void checkBox(int index);
    void search();
    bool searchGraph();
    bool searchTable();
    QString typedTime(int firstBox) const;
    void refuse(QLineEdit* box = nullptr);

    Mode m_mode;
    GraphFormView* m_graph = nullptr;
    SpreadGrid* m_records = nullptr;
    QChar m_separator;
    QString m_startTime;
    QString m_endTime;
    std::array<QLineEdit*, BoxCount> m_boxes{};
    std::array<QLabel*, 2> m_dataTime{};
    QFrame* m_endFrame = nullptr;
    QGridLayout* m_grid = nullptr;    // headings, units and the start row
    QGridLayout* m_endGrid = nullptr; // the end row, in m_endFrame
    QPushButton* m_search = nullptr;
    QPushButton* m_close = nullptr;
    std::array<QLabel*, 5> m_units{};
    std::array<QLabel*, 2> m_rowLabels{};
    QLabel* m_inputHeading = nullptr;
    QLabel* m_rangeHeading = nullptr;
};

} // namespace qor

#pragma once

#include <QFrame>

#include <QColor>
#include <QHash>

#include <array>

class QLabel;
class QPushButton;

namespace qor {

class SpreadGrid;

// The legend panel "Show_Legend" of a graph window: the header Label(0); three channel groups
// Show_Legend_1 to Show_Legend_3 with the check marks Image1(1..9) and texts Label(1..9) of the
// plots; items 10 (single cursor) and 11 (range cursors); the range readouts Label1(2) and
// Label1(3); the statistics button Command2 and the statistics grid fpSpread1. A click on an
// item's check mark or on its text raises itemClicked with the item's number.
//
// Every text of the legend keeps a readable contrast with the legend's background: a colour given
// to a label (a plot's colour, the grey of an item switched off) is shown darkened or lightened as
// far as its background needs, and shown again as given where the background allows.
class GraphLegend final : public QFrame {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GraphLegend)

  public:
    static constexpr int ItemCount = 11;

    // `iconFolder` holds the check mark pictures; it ends with a separator.
    explicit GraphLegend(QString iconFolder, QWidget* parent = nullptr);

    QLabel* header() const { return m_header; }
    QLabel* itemText(int item) const;  // Label(item)
    QLabel* itemCheck(int item) const; // Image1(item)
    QFrame* group(int channel) const;  // Show_Legend_1 .. Show_Legend_3
    QLabel* readout(int cursor) const; // Label1(2), Label1(3)
    QPushButton* statisticsButton() const { return m_statisticsButton; }
    SpreadGrid* statisticsGrid() const { return m_statisticsGrid; }
    QLabel* rangeSummary() const { return m_rangeSummary; } // the range's length and record count
    // Fits the statistics grid to its columns and rows, below the statistics button.
    void placeStatisticsGrid();

    // Shows the check mark picture of the icon folder ("Checked.ico" or "Unchecked.ico"), read
    // afresh each time, and gives the item's text its colour.
    void showChecked(int item, bool checked, const QColor& textColor);
    void setItemVisible(int item, bool visible);
    // The background of the panel and its three groups.
    void setBackColor(const QColor& color);

  Q_SIGNALS:
    void itemClicked(int item);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The statistics grid, which stands beside the legend rather than in it, hides and shows with it.
    void hideEvent(QHideEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

  private:
    // The colour a label was given and the one it shows for it.
    struct TextColors {
        QColor given;
        QColor shown;
    };

    void addItem(int item, QWidget* container, int top);
    void keepReadable(QLabel* label);

    QString m_iconFolder;
    QLabel* m_header;
    std::array<QFrame*, 3> m_groups{};
    std::array<QLabel*, ItemCount> m_texts{};
    std::array<QLabel*, ItemCount> m_checks{};
    std::array<QLabel*, 2> m_readouts{};
    QPushButton* m_statisticsButton;
    SpreadGrid* m_statisticsGrid;
    QLabel* m_rangeSummary;
    bool m_gridShownWithLegend = false;
    QHash<const QLabel*, TextColors> m_textColors;
};

} // namespace qor

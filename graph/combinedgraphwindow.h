#pragma once

#include "graphwindow.h"

#include "data/combinedfiles.h"
#include "data/tracecolumns.h"

#include <array>
#include <optional>

class QPushButton;

namespace qor {

// The combined graph window of slot 3 (frmDataGraph_3): the graph window's layout with the file
// buttons Command1(0..2), whose chosen paths Label4(0..2) show, file_open that builds the graph
// from the chosen CSV files, Command4 that clears the choice and Command3 that closes the window.
// File k draws its process value, set point and output as plots 3k-2, 3k-1 and 3k ("CHk PV" to
// "CHk MV" in the legend) and fills grid k of the combined table. The files pass through slot 3
// one after another; the plots and the grids keep each file's columns, without copies.
class CombinedGraphWindow final : public GraphWindow {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CombinedGraphWindow)

  public:
    static constexpr int Slot = 3;
    // The chosen files, scanned; empty where no file was chosen.
    using ScannedSet = std::array<std::optional<combined::ScannedFile>, combined::FileCount>;

    explicit CombinedGraphWindow(QWidget* parent = nullptr);
    ~CombinedGraphWindow() override;

    QPushButton* fileButton(int file) const { return m_fileButtons.at(static_cast<std::size_t>(file)); } // Command1(file)
    QPushButton* file_open() const { return m_buildButton; }
    QPushButton* Command4() const { return m_clearButton; }
    QPushButton* Command3() const { return m_closeButton; }

    // The load steps: the slot made current, the graph configured as a slot window's, no file chosen.
    void load() override;
    void activate() override;
    void ApplyGraphStrings() override;
    void showSeriesNames() override;
    // The graph shows the records of at least one file.
    bool isBuilt() const;
    // The minimum and maximum of each series of each file between the range cursors' times.
    void RangeStatistics() override;

    // The file button `file` (0 to 2) was clicked: the choice of a CSV file for it.
    void chooseFile(int file);
    // file_open: scans the chosen files and, when they may be combined, draws them.
    void buildGraph();
    // Command4: no file chosen, no plot.
    void clearFiles();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildControls();
    void showChoiceControls();
    // File `file`'s chosen path (empty: none), shown in Label4(file).
    void setChosenFile(int file, const QString& path);
    bool hasFile(int file) const;
    int chosenCount() const;
    Result<ScannedSet> scanFiles(BusyNotice& busy);
    Status loadFiles(const ScannedSet& scanned, BusyNotice& busy);
    Status build();
    void drawFile(int file);
    void closeView();
    void setChoiceEnabled(bool enabled);
    void forgetFiles();
    void writeReadout(const GraphCursor& cursor);

    std::array<QPushButton*, combined::FileCount> m_fileButtons{};
    QPushButton* m_buildButton;
    QPushButton* m_clearButton;
    QPushButton* m_closeButton;
    // The records each file drew, shared with its plots and its grid; unset for a file not drawn.
    std::array<std::optional<TraceColumns>, combined::FileCount> m_drawn;
    std::array<QString, combined::FileCount> m_chosenFiles; // empty: none chosen
};

// The name of series `series` (0 PV, 1 SP, 2 MV) of file `file` (0 to 2): "CH1 PV" to "CH3 MV".
QString combinedSeriesName(int file, int series);

} // namespace qor

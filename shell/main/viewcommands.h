#pragma once

#include "data/tracecolumns.h"
#include "graph/trendaxis.h"

#include <QString>

namespace qor {

class GraphWindow;
class MainWindow;

// The view commands of the main window, acting on the graph window of the current slot (1 or 2):
// colour style, plot line width, grid densities, zoom in and out, and the absolute or relative time
// axis. Each records the choice in the window's view codes (Label3) and, where it has one, in the
// settings file. With no graph window for the current slot a command does nothing.
class ViewCommands final {
  public:
    explicit ViewCommands(MainWindow& mainWindow);
    Q_DISABLE_COPY_MOVE(ViewCommands)

    // Connects the menu items and toolbar buttons 6, 10 and 11 to the commands.
    void connectCommands();

    void MV_Style_1();
    void MV_Style_2();
    // Toolbar button 6: the dark style on a light graph, the light style otherwise.
    void toggleStyle();

    void MVL_Normal() { setLineWidth(1); }
    void MVL_Middle() { setLineWidth(2); }
    void MVL_Thick() { setLineWidth(3); }

    void MX_Standard() { setGrid(GraphAxis::Time, 0); }
    void MX_Dense1() { setGrid(GraphAxis::Time, 1); }
    void MX_Dense2() { setGrid(GraphAxis::Time, 2); }
    void MY_standard() { setGrid(GraphAxis::Temperature, 0); }
    void MY_Dense1() { setGrid(GraphAxis::Temperature, 1); }
    void MY_Dense2() { setGrid(GraphAxis::Temperature, 2); }

    void MV_ZoomIn();
    void MV_ZoomOut();

    void MT_AbsTime() { switchTimeAxis(false); }
    void MT_RelaTime() { switchTimeAxis(true); }

    // The relative times of the last file shown on a relative axis: per record the seconds since
    // the first record, as a date serial counted from date zero.
    const TimePtr& RelTimeArray() const { return m_relTimeArray; }

  private:
    GraphWindow* currentWindow() const;
    void applyStyle(bool dark);
    void setLineWidth(int width);
    // Density 0, 1 or 2 of the grid of the time or the temperature axis.
    void setGrid(GraphAxis axis, std::size_t density);
    void zoomOut(GraphWindow& window);
    void switchTimeAxis(bool relative);
    bool readAgain(GraphWindow& window, const QString& logLabel);
    void showAbsoluteTime(GraphWindow& window);
    void showRelativeTime(GraphWindow& window);
    void reportFailure(GraphWindow& window, const QStringList& logLines);

    MainWindow& m_main;
    TimePtr m_relTimeArray = std::make_shared<const TimeColumn>();
};

} // namespace qor

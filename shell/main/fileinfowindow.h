#pragma once

#include <QDialog>

#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace qor {

class GraphWindow;

// The file information window "frmFileInfo" of the current slot: the file's path and model, the
// start and end of the time range its graph shows, the five print switches and the comment for
// the printed report. A switch changes the setting in memory at once; OK also writes the switches
// to the settings file and keeps the comment for the slot.
class FileInfoWindow final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FileInfoWindow)

  public:
    static constexpr int SwitchCount = 5;

    FileInfoWindow(GraphWindow& graph, QWidget* parent = nullptr);

    // The pattern of the start and end texts, with its trailing blank.
    static constexpr const char16_t* TimePattern = u"yyyy-mm-dd AMPM hh:mm:ss ";

  private:
    void buildControls();
    void applyStrings();
    void showFacts();
    void accept() override;

    GraphWindow& m_graph;
    std::array<QCheckBox*, SwitchCount> m_switches{};
    std::array<QLabel*, 4> m_facts{};
    QLineEdit* m_comment = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace qor

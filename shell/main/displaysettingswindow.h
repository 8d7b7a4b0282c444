#pragma once

#include <QDialog>

#include <array>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace qor {

// The display settings window "frmDataGraphSet": the colours of the nine plots and the three axes,
// and the fixed range of the process-value axis. Nothing is applied or saved before OK.
class DisplaySettingsWindow final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DisplaySettingsWindow)

  public:
    static constexpr int SwatchCount = 12;

    explicit DisplaySettingsWindow(QWidget* parent = nullptr);

    // The colour shown by swatch `index` (1..12), as 0x00BBGGRR.
    qint32 swatchColor(int index) const;

  Q_SIGNALS:
    // OK was pressed and the settings hold the new colours and range, for every graph window to take.
    void applied();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildControls();
    void applyStrings();
    void showChannelsOfCurrentFile();
    void setSwatch(int index, qint32 color);
    void chooseColor(int index);
    void restoreDefaults();
    void checkRange(int box);
    void accept() override;

    std::array<qint32, SwatchCount> m_colors{};
    std::array<QFrame*, SwatchCount> m_swatches{};
    std::array<QPushButton*, SwatchCount> m_colorButtons{};
    std::array<QLabel*, 15> m_label1{};
    std::array<QLabel*, 3> m_label3{};
    std::array<QFrame*, 3> m_channelRows{};
    std::array<QLineEdit*, 2> m_pvZoom{};
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    QPushButton* m_defaults = nullptr;
};

} // namespace qor

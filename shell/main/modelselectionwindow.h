#pragma once

#include <QDialog>

#include <array>

class QLabel;
class QPushButton;
class QRadioButton;

namespace qor {

// The model selection window "frmDataProcess" for CSV files of the old storage format, which name
// no model in their first line. The user picks the recorder; confirming writes the chosen model line
// in front of the file for good (accepted), cancelling leaves the file alone (rejected). A file that
// cannot be rewritten is reported and treated as a cancel.
class ModelSelectionWindow final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ModelSelectionWindow)

  public:
    ModelSelectionWindow(QString path, QWidget* parent = nullptr);

  private:
    void confirm();

    QString m_path;
    QString m_selectedModelLine = QStringLiteral("; QOR1000");
    std::array<QRadioButton*, 6> m_options{};
};

} // namespace qor

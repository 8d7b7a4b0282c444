#pragma once

#include "data/recordermodel.h"

#include <QDialog>

#include <vector>

class QGroupBox;

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
    QGroupBox* choiceFrame(int frame);
    void confirm();

    QString m_path;
    std::vector<models::ModelChoice> m_choices = models::oldCsvModelChoices();
    // Confirming without a choice writes the first model line.
    QString m_selectedModelLine = m_choices.front().modelLine;
};

} // namespace qor

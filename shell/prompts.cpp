#include "prompts.h"

#include "programstate.h"

#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QUrl>

namespace qor {

namespace {

class DialogPrompts final : public Prompts {
  public:
    QString openFile(QWidget* parent, const QString& folder, const QStringList& filters, int selectedFilter) override
    {
        QString selected = filters.value(selectedFilter);
        return QFileDialog::getOpenFileName(parent, {}, folder, filters.join(QStringLiteral(";;")), &selected);
    }

    QString saveFile(QWidget* parent, const QString& folder, const QStringList& filters, int selectedFilter) override
    {
        QString selected = filters.value(selectedFilter);
        return QFileDialog::getSaveFileName(parent, {}, folder, filters.join(QStringLiteral(";;")), &selected);
    }

    std::optional<QColor> color(QWidget* parent, const QColor& initial) override
    {
        const QColor chosen = QColorDialog::getColor(initial, parent);
        return chosen.isValid() ? std::optional<QColor>(chosen) : std::nullopt;
    }

    void message(QWidget* parent, const QString& text, const QString& title) override
    {
        QMessageBox::information(parent, title, text, QMessageBox::Ok);
    }

    void failure(QWidget* parent, const QString& text, const QString& title) override
    {
        QMessageBox::warning(parent, title, text, QMessageBox::Ok);
    }

    void detailedMessage(QWidget* parent, const QString& text, const QString& title, const QString& details) override
    {
        QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok, parent);
        box.setDetailedText(details);
        box.exec();
    }

    bool print(QWidget* parent, QPrinter& printer) override { return QPrintDialog(&printer, parent).exec() == QDialog::Accepted; }

    bool openDocument(const QString& path) override { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); }
};

} // namespace

Prompts& prompts()
{
    std::shared_ptr<Prompts>& installed = programState().prompts;
    if (!installed)
        installed = std::make_shared<DialogPrompts>();
    return *installed;
}

void setPrompts(std::unique_ptr<Prompts> replacement)
{
    programState().prompts = std::move(replacement);
}

} // namespace qor

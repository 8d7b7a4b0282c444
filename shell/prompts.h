#pragma once

#include <QColor>
#include <QString>

#include <memory>
#include <optional>

class QPrinter;
class QWidget;

namespace qor {

// Every dialog that asks the user something or tells the user something: common file dialogs,
// the colour dialog and message boxes. The program shows Qt's dialogs; tests install an
// implementation that answers from a script and records what was asked.
class Prompts {
  public:
    virtual ~Prompts() = default;

    // A file to open; empty when the user cancelled. `filters` are Qt filter strings; the one at
    // `selectedFilter` (0-based) is preselected.
    virtual QString openFile(QWidget* parent, const QString& folder, const QStringList& filters, int selectedFilter) = 0;
    // A file name to save to; empty when the user cancelled.
    virtual QString saveFile(QWidget* parent, const QString& folder, const QStringList& filters, int selectedFilter) = 0;
    // A colour; nullopt when the user cancelled.
    virtual std::optional<QColor> color(QWidget* parent, const QColor& initial) = 0;
    // A message box with an OK button.
    virtual void message(QWidget* parent, const QString& text, const QString& title) = 0;
    // The same with the warning icon, for a command that failed.
    virtual void failure(QWidget* parent, const QString& text, const QString& title) { message(parent, text, title); }
    // The same with `details` to be shown on request (why a file could not be read); a box without
    // room for them shows the message alone.
    virtual void detailedMessage(QWidget* parent, const QString& text, const QString& title, const QString& details)
    {
        Q_UNUSED(details)
        message(parent, text, title);
    }
    // The print dialog over `printer` (printer, orientation, copies, or a PDF file); false when the
    // user cancelled.
    virtual bool print(QWidget* parent, QPrinter& printer) = 0;
    // Opens a file with the desktop's program for its kind; false when there is none.
    virtual bool openDocument(const QString& path) = 0;
};

// The prompts the program uses; Qt's dialogs unless a test installed others.
Prompts& prompts();
// Installs `replacement` (nullptr: Qt's dialogs again).
void setPrompts(std::unique_ptr<Prompts> replacement);

} // namespace qor

#pragma once

#include "shell/prompts.h"

#include <QColor>
#include <QQueue>
#include <QStringList>

#include <functional>

// Prompts that answer from a script and record what was asked, for tests of flows that show
// dialogs. Unscripted questions are answered as a cancel would be.
class ScriptedPrompts final : public qor::Prompts {
  public:
    struct Message {
        QString text;
        QString title;
        QString details = {};
        bool warning = false; // shown with the warning icon
    };

    QQueue<QString> fileAnswers; // answers to openFile and saveFile, in order
    QQueue<QColor> colorAnswers; // answers to color, in order
    QList<Message> messages;     // every message box shown
    QString fileFolder;          // the folder the last file dialog started in
    QStringList fileFilters;     // the filters of the last file dialog
    int selectedFilter = -1;     // and its preselected filter
    // Answers the print dialog: sets up the printer as the user would and returns whether the user
    // chose to print; none: the dialog is cancelled.
    std::function<bool(QPrinter&)> printAnswer;
    int printDialogs = 0;        // print dialogs shown
    QStringList openedDocuments; // files handed to the desktop to open

    QString openFile(QWidget* parent, const QString& folder, const QStringList& filters, int selected) override;
    QString saveFile(QWidget* parent, const QString& folder, const QStringList& filters, int selected) override;
    std::optional<QColor> color(QWidget* parent, const QColor& initial) override;
    void message(QWidget* parent, const QString& text, const QString& title) override;
    void failure(QWidget* parent, const QString& text, const QString& title) override;
    void detailedMessage(QWidget* parent, const QString& text, const QString& title, const QString& details) override;
    bool print(QWidget* parent, QPrinter& printer) override;
    bool openDocument(const QString& path) override;

    // Installs a fresh instance as the program's prompts and returns it.
    static ScriptedPrompts& install();
};

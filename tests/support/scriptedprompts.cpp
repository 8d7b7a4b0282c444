#include "scriptedprompts.h"

QString ScriptedPrompts::openFile(QWidget*, const QString& folder, const QStringList& filters, int selected)
{
    fileFolder = folder;
    fileFilters = filters;
    selectedFilter = selected;
    return fileAnswers.isEmpty() ? QString() : fileAnswers.dequeue();
}

QString ScriptedPrompts::saveFile(QWidget* parent, const QString& folder, const QStringList& filters, int selected)
{
    return openFile(parent, folder, filters, selected);
}

std::optional<QColor> ScriptedPrompts::color(QWidget*, const QColor&)
{
    if (colorAnswers.isEmpty())
        return std::nullopt;
    return colorAnswers.dequeue();
}

void ScriptedPrompts::message(QWidget*, const QString& text, const QString& title)
{
    messages.append({text, title});
}

void ScriptedPrompts::failure(QWidget*, const QString& text, const QString& title)
{
    messages.append({text, title, {}, true});
}

void ScriptedPrompts::detailedMessage(QWidget*, const QString& text, const QString& title, const QString& details)
{
    messages.append({text, title, details});
}

bool ScriptedPrompts::print(QWidget*, QPrinter& printer)
{
    ++printDialogs;
    return printAnswer && printAnswer(printer);
}

bool ScriptedPrompts::openDocument(const QString& path)
{
    openedDocuments << path;
    return true;
}

ScriptedPrompts& ScriptedPrompts::install()
{
    auto prompts = std::make_unique<ScriptedPrompts>();
    ScriptedPrompts& installed = *prompts;
    qor::setPrompts(std::move(prompts));
    return installed;
}

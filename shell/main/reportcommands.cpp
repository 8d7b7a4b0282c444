#include "reportcommands.h"

#include "data/loadeddataset.h"
#include "graph/graphcursor.h"
#include "graph/graphwindow.h"
#include "graph/trendgraph.h"
#include "output/graphcapture.h"
#include "output/reportprint.h"
#include "shell/apppath.h"
#include "shell/errorlog.h"
#include "shell/mainframe.h"
#include "shell/programstate.h"
#include "shell/prompts.h"

#include <QDir>
#include <QPrinter>

#include <exception>
#include <optional>
#include <tuple>

namespace qor {

namespace {

GraphWindow* currentGraphWindow()
{
    return graphWindow(loadedData().FileNo);
}

// Told and logged, with the system's reason.
void tellFailure(QWidget* parent, const QString& what, const Status& status)
{
    const QString text = what + u' ' + status.message();
    WriteErrorLog(text);
    prompts().failure(parent, text, QStringLiteral("Error"));
}

// Prints the page on the printer the user chooses; nullopt when the dialog was cancelled.
std::optional<Status> printOnChosenPrinter(QWidget* parent, const GraphWindow& window)
{
    try {
        QPrinter printer(QPrinter::HighResolution);
        if (!prompts().print(parent, printer))
            return std::nullopt;
        output::SelectPrinterByName(printer, printer.printerName());
        return output::printReportPage(printer, window);
    } catch (const std::exception& error) {
        return Status::unexpected(error);
    }
}

Status saveCapture(const GraphWindow& window, const QString& path)
{
    try {
        return output::savePicture(output::capturePicture(window), path);
    } catch (const std::exception& error) {
        return Status::unexpected(error);
    }
}

} // namespace

// Printing hides cursor 1 and leaves it hidden; when nothing was printed the view is as before.
void printReport(QWidget* parent)
{
    GraphWindow* window = currentGraphWindow();
    if (!window)
        return;
    GraphCursor& cursor1 = window->CWGraph1()->cursor(1);
    const bool cursor1Shown = cursor1.isVisible();
    cursor1.setVisible(false);
    const std::optional<Status> printed = printOnChosenPrinter(parent, *window);
    if (!printed || !printed->ok())
        cursor1.setVisible(cursor1Shown);
    window->RestoreGraphView();
    if (printed && !printed->ok())
        tellFailure(parent, QStringLiteral("The report could not be printed."), *printed);
}

void previewReport(MainFrame& frame)
{
    GraphWindow* window = currentGraphWindow();
    if (!window)
        return;
    for (int index = 1; index <= 13; ++index)
        frame.setButtonEnabled(index, index == 2);
    for (const char* name : ReportStateMenus)
        frame.setMenuEnabled(QString::fromLatin1(name), false);
    window->showReportPage(output::previewImage(*window));
}

void captureGraph(QWidget* parent)
{
    GraphWindow* window = currentGraphWindow();
    if (!window)
        return;
    const QStringList filters = {QStringLiteral("All Files (*.*)"), QStringLiteral("JPG Files (*.jpg)")};
    const QString chosen = prompts().saveFile(parent, AppPath(), filters, 1);
    if (chosen.isEmpty())
        return;
    const QString path = output::pictureFileName(chosen);
    if (const Status saved = saveCapture(*window, path); !saved.ok()) {
        tellFailure(parent, QStringLiteral("%1 could not be written.").arg(QDir::toNativeSeparators(path)), saved);
        return;
    }
    // A file kind without a program to open it is no failure of the capture.
    std::ignore = prompts().openDocument(path);
}

} // namespace qor

#include "reportcommands.h"

#include "data/loadeddataset.h"
#include "graph/graphannotation.h"
#include "graph/graphcursor.h"
#include "graph/graphwindow.h"
#include "graph/trendgraph.h"
#include "output/graphcapture.h"
#include "output/reportprint.h"
#include "shell/errorlog.h"
#include "shell/lastfolders.h"
#include "shell/mainframe.h"
#include "shell/programstate.h"
#include "shell/prompts.h"

#include <QDir>
#include <QPrinter>

#include <exception>
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

// Prints the page on the printer the user chose.
Status printOn(QPrinter& printer, const GraphWindow& window)
{
    try {
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

// The page shows no single cursor. A printed page hides it from the window too, with its label
// and readout; a failed print leaves it as it was, and a cancelled print dialog changes nothing at
// all, not even a print preview the dialog was started from.
void printReport(QWidget* parent)
{
    GraphWindow* window = currentGraphWindow();
    if (!window)
        return;
    QPrinter printer(QPrinter::HighResolution);
    if (!prompts().print(parent, printer))
        return;
    TrendGraph& graph = *window->CWGraph1();
    const bool cursorShown = graph.cursor(1).isVisible();
    const bool labelShown = graph.annotation(1).isVisible();
    graph.cursor(1).setVisible(false);
    graph.annotation(1).setVisible(false);
    const Status printed = printOn(printer, *window);
    graph.cursor(1).setVisible(cursorShown);
    graph.annotation(1).setVisible(labelShown);
    if (printed.ok())
        window->cursors().HideSingleCursor();
    window->RestoreGraphView();
    if (!printed.ok())
        tellFailure(parent, QStringLiteral("The report could not be printed."), printed);
}

// The preview stands in the current slot's graph window, which comes to the front for it.
void previewReport(MainFrame& frame)
{
    GraphWindow* window = currentGraphWindow();
    if (!window)
        return;
    frame.showSlotWindow(window->slot());
    window->showReportPage(output::previewImage(*window));
}

void captureGraph(QWidget* parent)
{
    GraphWindow* window = currentGraphWindow();
    if (!window)
        return;
    const QStringList filters = {QStringLiteral("All Files (*.*)"), QStringLiteral("JPG Files (*.jpg)")};
    const QString chosen = prompts().saveFile(parent, lastFolder(FileDialogKind::Capture), filters, 1);
    if (chosen.isEmpty())
        return;
    rememberFolder(FileDialogKind::Capture, chosen);
    const QString path = output::pictureFileName(chosen);
    if (const Status saved = saveCapture(*window, path); !saved.ok()) {
        tellFailure(parent, QStringLiteral("%1 could not be written.").arg(QDir::toNativeSeparators(path)), saved);
        return;
    }
    // A file kind without a program to open it is no failure of the capture.
    std::ignore = prompts().openDocument(path);
}

} // namespace qor

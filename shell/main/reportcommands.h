#pragma once

class QWidget;

namespace qor {

class MainFrame;

// MF_Print and toolbar button 2: prints the report page of the current slot on the printer chosen
// in the print dialog, then shows the normal view. A cancelled dialog prints nothing; a failure is
// told in a message titled "Error".
void printReport(QWidget* parent);

// MF_Preview: shows the report page over the current slot's graph and puts the main window into
// the report state (most commands off, printing on) until the graph window's view is restored.
void previewReport(MainFrame& frame);

// MF_SnippingTool and toolbar button 3: saves a picture of the current slot's graph with its
// information lines under a name the user chooses, in the format of its extension, and opens it.
void captureGraph(QWidget* parent);

} // namespace qor

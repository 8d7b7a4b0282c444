#pragma once

#include "apppath.h"
#include "graphsettings.h"
#include "legendstate.h"
#include "mainframe.h"
#include "slotwindows.h"
#include "stringtable.h"
#include "zoomhistory.h"

#include "data/loadeddataset.h"

#include <QPointer>
#include <QTranslator>

#include <array>
#include <memory>
#include <optional>

namespace qor {

class Prompts;

// A window reference that drops out by itself when its window is destroyed.
struct WindowRef {
    QPointer<QObject> guard;
    QWidget* widget = nullptr;
    GraphFormView* view = nullptr; // graph windows only

    bool alive() const { return !guard.isNull(); }
};

// Everything the program keeps between commands, owned in one place. The program's own names for
// these (loadedData(), graphSettings(), stringTable(), legendState(), zoomHistory(), GraphForm,
// TableForm, SlotLoaded, mainFrame(), prompts(), AppPath()) are accessors that forward here.
struct ProgramState {
    LoadedDataSet data;
    GraphSettings settings;
    StringTable strings;
    LegendState legend;
    std::array<ZoomHistory, 3> zoom;
    std::array<WindowRef, 3> graphForms;
    std::array<WindowRef, 3> tableForms;
    MainFrame* mainFrame = nullptr;
    std::shared_ptr<Prompts> prompts;          // null: the program's own dialogs
    std::optional<ProgramFolders> folders;     // unset: the folders found from the executable
    std::unique_ptr<QTranslator> qtTranslator; // the installed catalog of Qt's own dialog texts
};

ProgramState& programState();

// Back to the state of a program that has just started, before it read its settings: no records,
// default settings, no strings, every legend item off, no zoom, no windows, the program's own
// dialogs and folders, no Qt catalog.
void resetProgramState();

LoadedDataSet& loadedData();

} // namespace qor

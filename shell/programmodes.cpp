#include "programmodes.h"

#include <array>

namespace qor {

namespace {

constexpr unsigned in(ProgramMode mode)
{
    return 1u << static_cast<unsigned>(mode);
}

constexpr unsigned Started = in(ProgramMode::Started);
constexpr unsigned NoFile = in(ProgramMode::NoFile);
constexpr unsigned Graph = in(ProgramMode::GraphActive);
constexpr unsigned Table = in(ProgramMode::TableActive);
constexpr unsigned Preview = in(ProgramMode::Preview);
constexpr unsigned Chosen = in(ProgramMode::CombinedChosen);
constexpr unsigned Built = in(ProgramMode::CombinedBuilt);
// A slot's file is the current one.
constexpr unsigned File = Graph | Table;
// Every mode but busy: while a read or an export runs, no command is offered.
constexpr unsigned Idle = Started | NoFile | File | Preview | Chosen | Built;
// Opening files: not over a print preview, and not in the combined view, which has no file slot to
// open into.
constexpr unsigned Opening = Started | NoFile | File;
// The items of a menu that is switched on and off as a whole: they follow their menu.
constexpr unsigned InMenu = Idle;

struct Row {
    const char* command;
    unsigned modes;
};

// Per command, the modes in which it is enabled. The preview keeps printing and the output
// commands of the file menu; the combined view offers printing, capture and the view buttons once
// it shows files; the graph-only view items follow a slot's graph window. The View menu, which holds
// the languages, is on as the program starts and goes with the last file, as the other file menus.
constexpr std::array Rows{
    Row{"M_File", Idle},
    Row{"MF_Open", Opening},
    Row{"MF_Recent", Opening},
    Row{"MF_FileInfo", File},
    Row{"MF_SnippingTool", File | Preview | Built},
    Row{"MF_Excel", File | Preview},
    Row{"MF_Preview", File | Preview | Built},
    Row{"MF_Print", File | Preview | Built},
    Row{"M_Exit", Idle},
    Row{"M_TimeAxis", File},
    Row{"MT_RelaTime", InMenu},
    Row{"MT_AbsTime", InMenu},
    Row{"MT_DataFind", InMenu},
    Row{"M_View", Started | File},
    Row{"MV_Style", Graph},
    Row{"MV_Style_1", Graph},
    Row{"MV_Style_2", Graph},
    Row{"MV_Line", Graph},
    Row{"MVL_Normal", Graph},
    Row{"MVL_Middle", Graph},
    Row{"MVL_Thick", Graph},
    Row{"MV_ZoomIn", Graph},
    Row{"MV_ZoomOut", Graph},
    Row{"MV_FullRange", Graph},
    Row{"MV_Language", InMenu},
    Row{"MV_Language_KOR", InMenu},
    Row{"MV_Language_ENG", InMenu},
    Row{"MV_Language_CHR", InMenu},
    Row{"M_YGrid", File},
    Row{"MY_standard", InMenu},
    Row{"MY_Dense1", InMenu},
    Row{"MY_Dense2", InMenu},
    Row{"M_XGrid", File},
    Row{"MX_Standard", InMenu},
    Row{"MX_Dense1", InMenu},
    Row{"MX_Dense2", InMenu},
    Row{"M_Window", File},
    Row{"MW_Dis_1", InMenu},
    Row{"MW_Dis_2", InMenu},
    Row{"MW_Cascade", InMenu},
    Row{"MW_Tile", InMenu},
    Row{"M_DisplaySet", File},
    Row{"M_Help", Idle},
    Row{"MH_About", Idle},
    Row{"Button1", Opening},
    Row{"Button2", File | Preview | Built},
    Row{"Button3", File | Built},
    Row{"Button4", File},
    Row{"Button5", File},
    Row{"Button6", Graph | Built},
    Row{"Button7", File | Built},
    Row{"Button8", File | Built},
    Row{"Button9", Graph | Built},
    Row{"Button10", Graph | Built},
    Row{"Button11", Graph | Built},
    Row{"Button12", File | Built},
    Row{"Button13", File | Built},
    Row{"Button14", Opening},
    Row{"Button15", Idle},
};

} // namespace

ProgramMode modeOf(const ProgramFacts& facts)
{
    if (facts.busy)
        return ProgramMode::Busy;
    if (facts.preview)
        return ProgramMode::Preview;
    if (facts.combinedView)
        return facts.combinedBuilt ? ProgramMode::CombinedBuilt : ProgramMode::CombinedChosen;
    if (!facts.fileOpen)
        return facts.used ? ProgramMode::NoFile : ProgramMode::Started;
    return facts.graphActive ? ProgramMode::GraphActive : ProgramMode::TableActive;
}

bool commandEnabled(ProgramMode mode, QStringView command)
{
    for (const Row& row : Rows) {
        if (QLatin1StringView(row.command) == command)
            return (row.modes & in(mode)) != 0;
    }
    return false;
}

QStringList modeCommands()
{
    QStringList names;
    for (const Row& row : Rows)
        names << QString::fromLatin1(row.command);
    return names;
}

QString modeName(ProgramMode mode)
{
    static const std::array<const char*, 8> names = {"Started", "NoFile",         "GraphActive",   "TableActive",
                                                     "Preview", "CombinedChosen", "CombinedBuilt", "Busy"};
    return QString::fromLatin1(names.at(static_cast<std::size_t>(mode)));
}

} // namespace qor

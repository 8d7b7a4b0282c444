#include "mainmenus.h"

namespace qor {

const std::vector<MenuItem>& mainMenuItems()
{
    constexpr unsigned Choice = Checkable;
    constexpr unsigned File = StartsDisabled | FileCommand;
    constexpr unsigned TopFile = StartsDisabled | FileCommand | TopFileMenu;
    constexpr unsigned OnGraph = StartsDisabled | GraphWindowCommand;
    static const std::vector<MenuItem> items = {
        {"M_File", "", MDIFormText::File},
        {"MF_Open", "M_File", MDIFormText::Open, 0, {QKeySequence::Open}},
        {"MF_FileInfo", "M_File", MDIFormText::FileInfo, File},
        {"MF_SnippingTool", "M_File", MDIFormText::Capture, File},
        {"MF_Excel", "M_File", MDIFormText::ExportCsv, File, {QKeySequence(Qt::CTRL | Qt::Key_E)}},
        {"MF_Preview", "M_File", MDIFormText::PrintPreview, File},
        {"MF_Print", "M_File", MDIFormText::Print, File, {QKeySequence::Print}},
        {"M_Exit", "M_File", MDIFormText::Exit},
        {"M_TimeAxis", "", MDIFormText::TimeAxis, TopFile},
        {"MT_RelaTime", "M_TimeAxis", MDIFormText::RelativeTime, Choice},
        {"MT_AbsTime", "M_TimeAxis", MDIFormText::AbsoluteTime, Choice | StartsChecked},
        {"MT_DataFind", "M_TimeAxis", MDIFormText::DataSearch, 0, {QKeySequence::Find}}, // a command, not a choice
        {"M_View", "", MDIFormText::View, FileCommand | TopFileMenu},
        {"MV_Style", "M_View", MDIFormText::Style, OnGraph},
        {"MV_Style_1", "MV_Style", MDIFormText::Light, OnGraph | Choice},
        {"MV_Style_2", "MV_Style", MDIFormText::Dark, OnGraph | Choice},
        {"MV_Line", "M_View", MDIFormText::Line, OnGraph},
        {"MVL_Normal", "MV_Line", MDIFormText::Normal, OnGraph | Choice},
        {"MVL_Middle", "MV_Line", MDIFormText::Medium, OnGraph | Choice},
        {"MVL_Thick", "MV_Line", MDIFormText::Thick, OnGraph | Choice},
        // On most keyboards "+" is Shift+"=", so Ctrl+"=" zooms in too.
        {"MV_ZoomIn", "M_View", MDIFormText::ZoomIn, OnGraph, {QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)}},
        {"MV_ZoomOut", "M_View", MDIFormText::ZoomOut, OnGraph, {QKeySequence::ZoomOut}},
        {"MV_FullRange", "M_View", MDIFormText::FullRange, OnGraph, {QKeySequence(Qt::CTRL | Qt::Key_0)}},
        {"MV_Language", "M_View", MDIFormText::Language},
        {"MV_Language_KOR", "MV_Language", MDIFormText::Korean, Choice},
        {"MV_Language_ENG", "MV_Language", MDIFormText::English, Choice},
        {"MV_Language_CHR", "MV_Language", MDIFormText::Chinese, Choice},
        {"M_YGrid", "", MDIFormText::YAxis, TopFile},
        {"MY_standard", "M_YGrid", MDIFormText::StandardGrid, Choice},
        {"MY_Dense1", "M_YGrid", MDIFormText::DenseGrid1, Choice},
        {"MY_Dense2", "M_YGrid", MDIFormText::DenseGrid2, Choice},
        {"M_XGrid", "", MDIFormText::XAxis, TopFile},
        {"MX_Standard", "M_XGrid", MDIFormText::StandardGrid, Choice},
        {"MX_Dense1", "M_XGrid", MDIFormText::DenseGrid1, Choice},
        {"MX_Dense2", "M_XGrid", MDIFormText::DenseGrid2, Choice},
        {"M_Window", "", MDIFormText::Window, TopFile},
        {"MW_Dis_1", "M_Window", {}, Choice},
        {"MW_Dis_2", "M_Window", {}, Choice},
        {"MW_Cascade", "M_Window", MDIFormText::Cascade},
        {"MW_Tile", "M_Window", MDIFormText::Tile},
        {"M_DisplaySet", "", MDIFormText::DisplaySettings, TopFile},
        {"M_Help", "", MDIFormText::Help},
        {"MH_About", "M_Help", MDIFormText::About},
    };
    return items;
}

QStringList menuItemsWith(MenuFlag flag)
{
    QStringList names;
    for (const MenuItem& item : mainMenuItems()) {
        if (item.is(flag))
            names << item.name;
    }
    return names;
}

const std::vector<MDIFormText>& toolbarCaptionKeys()
{
    static const std::vector<MDIFormText> keys = {
        MDIFormText::Open,    MDIFormText::Print,           MDIFormText::Capture,    MDIFormText::FileInfo,        MDIFormText::ExportCsv,
        MDIFormText::Style,   MDIFormText::GraphView,       MDIFormText::TableView,  MDIFormText::FullRange,       MDIFormText::ZoomIn,
        MDIFormText::ZoomOut, MDIFormText::DisplaySettings, MDIFormText::DataSearch, MDIFormText::CombineChannels, MDIFormText::SplitData};
    return keys;
}

bool buttonStartsEnabled(int index)
{
    return index == 1 || index == 14 || index == 15;
}

} // namespace qor

#include "mainmenus.h"

namespace qor {

const std::vector<MenuItem>& mainMenuItems()
{
    constexpr unsigned Choice = Checkable;
    static const std::vector<MenuItem> items = {
        {"M_File", "", MDIFormText::File},
        {"MF_Open", "M_File", MDIFormText::Open, 0, {QKeySequence::Open}},
        {"MF_FileInfo", "M_File", MDIFormText::FileInfo},
        {"MF_SnippingTool", "M_File", MDIFormText::Capture},
        {"MF_Excel", "M_File", MDIFormText::ExportCsv, 0, {QKeySequence(Qt::CTRL | Qt::Key_E)}},
        {"MF_Preview", "M_File", MDIFormText::PrintPreview},
        {"MF_Print", "M_File", MDIFormText::Print, 0, {QKeySequence::Print}},
        {"M_Exit", "M_File", MDIFormText::Exit},
        {"M_TimeAxis", "", MDIFormText::TimeAxis},
        {"MT_RelaTime", "M_TimeAxis", MDIFormText::RelativeTime, Choice},
        {"MT_AbsTime", "M_TimeAxis", MDIFormText::AbsoluteTime, Choice | StartsChecked},
        {"MT_DataFind", "M_TimeAxis", MDIFormText::DataSearch, 0, {QKeySequence::Find}}, // a command, not a choice
        {"M_View", "", MDIFormText::View},
        {"MV_Style", "M_View", MDIFormText::Style},
        {"MV_Style_1", "MV_Style", MDIFormText::Light, Choice},
        {"MV_Style_2", "MV_Style", MDIFormText::Dark, Choice},
        {"MV_Line", "M_View", MDIFormText::Line},
        {"MVL_Normal", "MV_Line", MDIFormText::Normal, Choice},
        {"MVL_Middle", "MV_Line", MDIFormText::Medium, Choice},
        {"MVL_Thick", "MV_Line", MDIFormText::Thick, Choice},
        // On most keyboards "+" is Shift+"=", so Ctrl+"=" zooms in too.
        {"MV_ZoomIn", "M_View", MDIFormText::ZoomIn, 0, {QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)}},
        {"MV_ZoomOut", "M_View", MDIFormText::ZoomOut, 0, {QKeySequence::ZoomOut}},
        {"MV_FullRange", "M_View", MDIFormText::FullRange, 0, {QKeySequence(Qt::CTRL | Qt::Key_0)}},
        {"MV_Language", "M_View", MDIFormText::Language},
        {"MV_Language_KOR", "MV_Language", MDIFormText::Korean, Choice},
        {"MV_Language_ENG", "MV_Language", MDIFormText::English, Choice},
        {"MV_Language_CHR", "MV_Language", MDIFormText::Chinese, Choice},
        {"M_YGrid", "", MDIFormText::YAxis},
        {"MY_standard", "M_YGrid", MDIFormText::StandardGrid, Choice},
        {"MY_Dense1", "M_YGrid", MDIFormText::DenseGrid1, Choice},
        {"MY_Dense2", "M_YGrid", MDIFormText::DenseGrid2, Choice},
        {"M_XGrid", "", MDIFormText::XAxis},
        {"MX_Standard", "M_XGrid", MDIFormText::StandardGrid, Choice},
        {"MX_Dense1", "M_XGrid", MDIFormText::DenseGrid1, Choice},
        {"MX_Dense2", "M_XGrid", MDIFormText::DenseGrid2, Choice},
        {"M_Window", "", MDIFormText::Window},
        {"MW_Dis_1", "M_Window", {}, Choice},
        {"MW_Dis_2", "M_Window", {}, Choice},
        {"MW_Cascade", "M_Window", MDIFormText::Cascade},
        {"MW_Tile", "M_Window", MDIFormText::Tile},
        {"M_DisplaySet", "", MDIFormText::DisplaySettings},
        {"M_Help", "", MDIFormText::Help},
        {"MH_About", "M_Help", MDIFormText::About},
    };
    return items;
}

const std::vector<MDIFormText>& toolbarCaptionKeys()
{
    static const std::vector<MDIFormText> keys = {
        MDIFormText::Open,    MDIFormText::Print,           MDIFormText::Capture,    MDIFormText::FileInfo,        MDIFormText::ExportCsv,
        MDIFormText::Style,   MDIFormText::GraphView,       MDIFormText::TableView,  MDIFormText::FullRange,       MDIFormText::ZoomIn,
        MDIFormText::ZoomOut, MDIFormText::DisplaySettings, MDIFormText::DataSearch, MDIFormText::CombineChannels, MDIFormText::SplitData};
    return keys;
}

} // namespace qor

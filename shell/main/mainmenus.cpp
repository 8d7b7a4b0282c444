#include "mainmenus.h"

namespace qor {

const std::vector<MenuItem>& mainMenuItems()
{
    static const std::vector<MenuItem> items = {
        {"M_File", "", 1},
        {"MF_Open", "M_File", 2},
        {"MF_FileInfo", "M_File", 3, true},
        {"MF_SnippingTool", "M_File", 4, true},
        {"MF_Excel", "M_File", 5, true},
        {"MF_Preview", "M_File", 6, true},
        {"MF_Print", "M_File", 7, true},
        {"M_Exit", "M_File", 8},
        {"M_TimeAxis", "", 10, true},
        {"MT_RelaTime", "M_TimeAxis", 11},
        {"MT_AbsTime", "M_TimeAxis", 12, false, true},
        {"MT_DataFind", "M_TimeAxis", 13},
        {"M_View", "", 15},
        {"MV_Style", "M_View", 16, true},
        {"MV_Style_1", "MV_Style", 17, true},
        {"MV_Style_2", "MV_Style", 18, true},
        {"MV_Line", "M_View", 19, true},
        {"MVL_Normal", "MV_Line", 20, true},
        {"MVL_Middle", "MV_Line", 21, true},
        {"MVL_Thick", "MV_Line", 22, true},
        {"MV_ZoomIn", "M_View", 23, true},
        {"MV_ZoomOut", "M_View", 24, true},
        {"MV_Language", "M_View", 25},
        {"MV_Language_KOR", "MV_Language", 26},
        {"MV_Language_ENG", "MV_Language", 27},
        {"MV_Language_CHR", "MV_Language", 28},
        {"M_YGrid", "", 29, true},
        {"MY_standard", "M_YGrid", 31},
        {"MY_Dense1", "M_YGrid", 32},
        {"MY_Dense2", "M_YGrid", 33},
        {"M_XGrid", "", 30, true},
        {"MX_Standard", "M_XGrid", 31},
        {"MX_Dense1", "M_XGrid", 32},
        {"MX_Dense2", "M_XGrid", 33},
        {"M_Window", "", 38, true},
        {"MW_Dis_1", "M_Window", 0},
        {"MW_Dis_2", "M_Window", 0},
        {"M_DisplaySet", "", 41, true},
    };
    return items;
}

const std::vector<int>& toolbarCaptionKeys()
{
    static const std::vector<int> keys = {2, 7, 4, 3, 5, 16, 39, 40, 42, 23, 24, 41, 13, 43, 44};
    return keys;
}

bool buttonStartsEnabled(int index)
{
    return index == 1 || index == 14 || index == 15;
}

} // namespace qor

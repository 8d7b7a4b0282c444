#include "mainmenus.h"

namespace qor {

const std::vector<MenuItem>& mainMenuItems()
{
    constexpr unsigned Off = StartsDisabled;
    constexpr unsigned Choice = Checkable;
    constexpr unsigned File = StartsDisabled | FileCommand;
    constexpr unsigned TopFile = StartsDisabled | FileCommand | TopFileMenu;
    static const std::vector<MenuItem> items = {
        {"M_File", "", 1},
        {"MF_Open", "M_File", 2},
        {"MF_FileInfo", "M_File", 3, File},
        {"MF_SnippingTool", "M_File", 4, File},
        {"MF_Excel", "M_File", 5, File},
        {"MF_Preview", "M_File", 6, File},
        {"MF_Print", "M_File", 7, File},
        {"M_Exit", "M_File", 8},
        {"M_TimeAxis", "", 10, TopFile},
        {"MT_RelaTime", "M_TimeAxis", 11, Choice},
        {"MT_AbsTime", "M_TimeAxis", 12, Choice | StartsChecked},
        {"MT_DataFind", "M_TimeAxis", 13}, // a command, not a choice
        {"M_View", "", 15, FileCommand | TopFileMenu},
        {"MV_Style", "M_View", 16, Off},
        {"MV_Style_1", "MV_Style", 17, Off | Choice},
        {"MV_Style_2", "MV_Style", 18, Off | Choice},
        {"MV_Line", "M_View", 19, Off},
        {"MVL_Normal", "MV_Line", 20, Off | Choice},
        {"MVL_Middle", "MV_Line", 21, Off | Choice},
        {"MVL_Thick", "MV_Line", 22, Off | Choice},
        {"MV_ZoomIn", "M_View", 23, Off},
        {"MV_ZoomOut", "M_View", 24, Off},
        {"MV_Language", "M_View", 25},
        {"MV_Language_KOR", "MV_Language", 26, Choice},
        {"MV_Language_ENG", "MV_Language", 27, Choice},
        {"MV_Language_CHR", "MV_Language", 28, Choice},
        {"M_YGrid", "", 29, TopFile},
        {"MY_standard", "M_YGrid", 31, Choice},
        {"MY_Dense1", "M_YGrid", 32, Choice},
        {"MY_Dense2", "M_YGrid", 33, Choice},
        {"M_XGrid", "", 30, TopFile},
        {"MX_Standard", "M_XGrid", 31, Choice},
        {"MX_Dense1", "M_XGrid", 32, Choice},
        {"MX_Dense2", "M_XGrid", 33, Choice},
        {"M_Window", "", 38, TopFile},
        {"MW_Dis_1", "M_Window", 0, Choice},
        {"MW_Dis_2", "M_Window", 0, Choice},
        {"M_DisplaySet", "", 41, TopFile},
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

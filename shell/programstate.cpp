#include "programstate.h"

namespace qor {

ProgramState& programState()
{
    static ProgramState state;
    return state;
}

void resetProgramState()
{
    programState() = ProgramState();
}

LoadedDataSet& loadedData()
{
    return programState().data;
}

GraphSettings& graphSettings()
{
    return programState().settings;
}

StringTable& stringTable()
{
    return programState().strings;
}

LegendState& legendState()
{
    return programState().legend;
}

MainFrame* mainFrame()
{
    return programState().mainFrame;
}

void setMainFrame(MainFrame* frame)
{
    programState().mainFrame = frame;
}

} // namespace qor

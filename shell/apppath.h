#pragma once

#include <QString>

namespace qor {

// The program's folders, each ending with a separator. A copy run from its build folder or from a
// portable folder keeps everything beside the program. An installed copy (bin/ beside
// share/qor-trace-reader/) reads its side files from the installed data folder, and where that
// folder is not writable for the user it writes the settings file and the error log to the user's
// own configuration folder instead, so that no setting is lost without a word.
struct ProgramFolders {
    QString program;   // the executable's folder (QorSplit lives there)
    QString sideFiles; // language files, default settings, legend icons
    QString writable;  // the settings file and the error log
};

// Works out the folders of a program in `programFolder`: the installed data folder where it exists,
// and the user's configuration folder for the program where the side-file folder cannot be written.
// Seeds the user's settings file from the shipped one the first time it is used.
ProgramFolders programFoldersFor(const QString& programFolder);

// The side-file folder: every read-only side file is AppPath() followed by its bare name.
QString AppPath();

// The folder the settings file and the error log are written in.
QString WritablePath();

// The executable's folder.
QString ProgramPath();

// Makes all three answer `folder` (tests, tools); an empty folder restores the program's own.
void setAppPath(const QString& folder);

// Makes the folders those of a program in `programFolder`, resolved as at start-up (tests).
void useProgramFolder(const QString& programFolder);

} // namespace qor

#pragma once

#include <QString>

namespace qor {

// The folder each file dialog starts in: the one the user last chose a file in for that dialog,
// kept in the settings file's [Folders] section, or the program folder the first time (and when
// the folder kept is gone).
enum class FileDialogKind { Open, Export, Capture };

QString lastFolder(FileDialogKind kind);
// Keeps the folder of `path`, a file the user chose.
void rememberFolder(FileDialogKind kind, const QString& path);

} // namespace qor

#pragma once

#include <QString>

namespace qor {

// The program's folder, ending with a separator. The side files (settings, language files, icons,
// error log) live there and are addressed as AppPath() followed by their bare name.
QString AppPath();

// Makes AppPath() answer `folder` instead of the program's folder (tests, tools).
void setAppPath(const QString& folder);

} // namespace qor

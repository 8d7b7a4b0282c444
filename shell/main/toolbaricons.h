#pragma once

#include <QIcon>

namespace qor {

// The pictures of the main window's fifteen toolbar buttons, drawn for this program.
QIcon toolbarIcon(int index);

} // namespace qor

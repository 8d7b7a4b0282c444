#pragma once

class QWidget;

namespace qor {

// MF_Excel: asks for a file name and writes the recording of the current slot to it as CSV. A
// recording that is no .LOG or .DAT file is refused; a cancelled dialog writes nothing; a failed
// export is logged and reported, and leaves any file of the chosen name as it was, as does an
// export the user cancels through its busy notice, which is neither logged nor reported.
void exportCurrentSlot(QWidget* parent);

} // namespace qor

#pragma once

namespace samplegen {

class BufferedFile;
struct Recording;

// CSV text with CR LF line ends: model and option comment lines, then one
// line per record of the time stamp and the values with one decimal.
void writeCsv(const Recording& recording, BufferedFile& file);

} // namespace samplegen

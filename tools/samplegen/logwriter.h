#pragma once

namespace samplegen {

class BufferedFile;
struct Recording;

// Binary LOG: two 40-byte text headers, then per record the seconds since
// the start as int32 and the values as doubles.
void writeLog(const Recording& recording, BufferedFile& file);

} // namespace samplegen

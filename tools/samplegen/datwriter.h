#pragma once

namespace samplegen {

class BufferedFile;
struct Recording;

// Binary DAT of the two-channel recorders: a 512-byte header with packed
// start date and time and the channel scales, then 32-byte records of raw
// counts, one 16-byte block per channel.
void writeDat(const Recording& recording, BufferedFile& file);

} // namespace samplegen

#include "readinput.h"

// The .CSV reader, from the header to the last record.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    qor::fuzz::readRecording(u"CSV", data, size);
    return 0;
}

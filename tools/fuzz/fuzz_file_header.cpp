#include "readinput.h"

// The model recognition of both kinds whose header the caller reads: a .CSV file's model and
// option lines and a .LOG file's two header strings. (.DAT files are recognised by their reader.)
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    qor::fuzz::readHeader(u"CSV", data, size);
    qor::fuzz::readHeader(u"LOG", data, size);
    return 0;
}

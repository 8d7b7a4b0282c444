#include "readinput.h"

#include "shell/main/handovermessage.h"

// The message a later start hands to the running copy comes from another process. A complete
// message holds no more paths, nor longer ones, than the limits allow and is exactly what encoding
// its paths gives; one byte short of it is no complete message.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using qor::fuzz::require;
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const qor::HandOverDecoding decoding = qor::decodeHandOver(bytes);
    if (decoding.state != qor::HandOverDecoding::State::Complete) {
        require(decoding.paths.isEmpty(), "only a complete message gives paths");
        return 0;
    }
    require(decoding.paths.size() <= qsizetype(qor::MaxHandOverPaths), "a message holds at most the paths allowed");
    const std::optional<QByteArray> again = qor::encodeHandOver(decoding.paths);
    require(again.has_value() && *again == bytes, "a complete message is what its paths encode to");
    require(qor::decodeHandOver(bytes.chopped(1)).state == qor::HandOverDecoding::State::Incomplete,
            "a complete message less its last byte is incomplete");
    return 0;
}

#include "handovermessage.h"

#include <QStringDecoder>
#include <QtEndian>

#include <algorithm>
#include <vector>

namespace qor {

namespace {

constexpr QByteArrayView Magic = "QOR1";
constexpr qsizetype NumberBytes = 4;

void appendNumber(QByteArray& message, quint32 number)
{
    char bytes[NumberBytes];
    qToBigEndian(number, bytes);
    message.append(bytes, NumberBytes);
}

// Takes the numbers and byte runs of a message from its front; none when the bytes end first.
class MessageReader {
  public:
    explicit MessageReader(QByteArrayView bytes)
        : m_rest(bytes)
    {
    }

    std::optional<quint32> number()
    {
        const std::optional<QByteArrayView> bytes = take(NumberBytes);
        return bytes ? std::optional(qFromBigEndian<quint32>(bytes->data())) : std::nullopt;
    }

    std::optional<QByteArrayView> take(qsizetype count)
    {
        if (m_rest.size() < count)
            return std::nullopt;
        const QByteArrayView taken = m_rest.first(count);
        m_rest = m_rest.sliced(count);
        return taken;
    }

    bool atEnd() const { return m_rest.isEmpty(); }

  private:
    QByteArrayView m_rest;
};

HandOverDecoding withState(HandOverDecoding::State state)
{
    return {state, {}};
}

// The paths' texts, once the whole message is there; malformed when one is not UTF-8.
HandOverDecoding textsOf(const std::vector<QByteArrayView>& paths)
{
    HandOverDecoding decoding{HandOverDecoding::State::Complete, {}};
    for (const QByteArrayView path : paths) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        decoding.paths << QString(utf8(path));
        if (utf8.hasError())
            return withState(HandOverDecoding::State::Malformed);
    }
    return decoding;
}

} // namespace

std::optional<QByteArray> encodeHandOver(const QStringList& paths)
{
    if (paths.size() > qsizetype(MaxHandOverPaths))
        return std::nullopt;
    QByteArray message = Magic.toByteArray();
    appendNumber(message, quint32(paths.size()));
    for (const QString& path : paths) {
        const QByteArray bytes = path.toUtf8();
        if (bytes.size() > qsizetype(MaxHandOverPathBytes))
            return std::nullopt;
        appendNumber(message, quint32(bytes.size()));
        message += bytes;
    }
    return message;
}

HandOverDecoding decodeHandOver(QByteArrayView bytes)
{
    using State = HandOverDecoding::State;
    const qsizetype magicPart = std::min(bytes.size(), Magic.size());
    if (bytes.first(magicPart) != Magic.first(magicPart))
        return withState(State::Malformed);
    MessageReader reader(bytes);
    if (!reader.take(Magic.size()))
        return withState(State::Incomplete);
    const std::optional<quint32> count = reader.number();
    if (!count)
        return withState(State::Incomplete);
    if (*count > MaxHandOverPaths)
        return withState(State::Malformed);
    std::vector<QByteArrayView> paths;
    paths.reserve(*count);
    for (quint32 i = 0; i < *count; ++i) {
        const std::optional<quint32> length = reader.number();
        if (length && *length > MaxHandOverPathBytes)
            return withState(State::Malformed);
        const std::optional<QByteArrayView> path = length ? reader.take(*length) : std::nullopt;
        if (!path)
            return withState(State::Incomplete);
        paths.push_back(*path);
    }
    return reader.atEnd() ? textsOf(paths) : withState(State::Malformed);
}

} // namespace qor

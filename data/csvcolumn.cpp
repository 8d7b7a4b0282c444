#include "csvcolumn.h"

#include "csvlines.h"

#include <algorithm>

namespace qor {

std::string_view textOf(const CsvBytes& bytes)
{
    return {bytes.data(), bytes.size()};
}

CsvDocument::CsvDocument(std::shared_ptr<const CsvBytes> bytes, std::vector<Checkpoint> checkpoints)
    : m_bytes(std::move(bytes))
    , m_checkpoints(std::move(checkpoints))
{
}

std::string_view CsvDocument::recordLine(qint64 record) const
{
    const auto after =
        std::upper_bound(m_checkpoints.begin(), m_checkpoints.end(), record, [](qint64 r, const Checkpoint& c) { return r < c.record; });
    if (after == m_checkpoints.begin())
        return {};
    const Checkpoint& from = *std::prev(after);
    csv::LineCursor cursor(textOf(*m_bytes), from.offset);
    for (qint64 current = from.record; !cursor.atEnd();) {
        const std::string_view line = cursor.next();
        if (!csv::isRecord(line))
            continue;
        if (current == record)
            return line;
        ++current;
    }
    return {};
}

CsvColumn::CsvColumn(std::shared_ptr<const CsvDocument> document, int field, NumberArray numbers)
    : m_document(std::move(document))
    , m_field(field)
    , m_numbers(std::move(numbers))
{
}

qsizetype CsvColumn::size() const
{
    return static_cast<qsizetype>(m_numbers.size());
}

double CsvColumn::number(qsizetype index) const
{
    return m_numbers[static_cast<std::size_t>(index)];
}

QString CsvColumn::text(qsizetype index) const
{
    const std::optional<std::string_view> f = csv::field(m_document->recordLine(index), m_field);
    return f ? QString::fromLatin1(f->data(), static_cast<qsizetype>(f->size())) : QString();
}

} // namespace qor

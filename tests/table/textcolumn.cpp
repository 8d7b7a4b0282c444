#include "textcolumn.h"

#include "data/numbertext.h"

#include <limits>

TextColumn::TextColumn(QStringList texts, bool filled)
    : m_texts(std::move(texts))
    , m_filled(filled)
{
}

qsizetype TextColumn::size() const
{
    return m_texts.size();
}

double TextColumn::number(qsizetype index) const
{
    return qor::numbers::parseNumber(QStringView(m_texts[index])).value_or(std::numeric_limits<double>::quiet_NaN());
}

QString TextColumn::text(qsizetype index) const
{
    return m_texts[index];
}

bool TextColumn::isFilled() const
{
    return m_filled;
}

qor::ColumnPtr TextColumn::of(const QStringList& texts)
{
    return std::make_shared<const TextColumn>(texts);
}

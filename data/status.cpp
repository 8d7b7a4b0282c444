#include "status.h"

namespace qor {

QString Status::logLine(const QString& label) const
{
    switch (m_place) {
    case Place::None:
        break;
    case Place::Line:
        return m_message + QStringLiteral(" (line %1) ").arg(m_number) + label;
    case Place::Record:
        return m_message + QStringLiteral(" (record %1) ").arg(m_number) + label;
    }
    return m_message + u' ' + label;
}

} // namespace qor

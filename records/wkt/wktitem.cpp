#include "records/wkt/wktitem.h"

#include <stdexcept>

CWktItem::CWktItem(const CWktType& type)
    : m_type(type)
{
    if (m_type.code() == CWktType::None)
        throw std::runtime_error("CWktItem::CWktItem(const CWktType& type)");
}

CWktItem::~CWktItem() = default;

bool CWktItem::parse(const QStringList& values)
{
    clear();
    m_failure.clear();
    const bool counted = values.size() == valueCount();
    if (counted) {
        QStringList trimmed;
        for (const QString& value : values)
            trimmed.append(value.trimmed());
        readValues(trimmed);
    }
    readLinks();
    if (isValid())
        return true;
    m_failure = counted ? invalidReason()
                        : QString("ожидается значений: %1, в тексте: %2").arg(valueCount()).arg(values.size());
    clear();
    return false;
}

QString CWktItem::label() const
{
    return QStringLiteral("%1[\"%2\"]").arg(keyword, values.value(0));
}

QString CWktItem::invalidReason() const
{
    return QStringLiteral("узел неполон");
}

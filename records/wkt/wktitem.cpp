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
    if (values.size() == valueCount()) {
        QStringList trimmed;
        for (const QString& value : values)
            trimmed.append(value.trimmed());
        readValues(trimmed);
    }
    readLinks();
    if (isValid())
        return true;
    clear();
    return false;
}

#include "records/wkt/wkttype.h"

namespace {

const char* const keywords[CWktType::Count] = {
    "", "PROJCS", "GEOGCS", "DATUM", "SPHEROID", "TOWGS84", "PRIMEM",
    "PROJECTION", "PARAMETER", "UNIT", "AXIS", "AUTHORITY"};

}

CWktType::CWktType(int code)
{
    set(code);
}

QString CWktType::keyword() const
{
    return QString::fromLatin1(keywords[m_code]);
}

bool CWktType::set(int code)
{
    m_code = (code > None && code < Count) ? code : None;
    return m_code != None;
}

bool CWktType::setKeyword(const QString& text)
{
    m_code = fromKeyword(text);
    return m_code != None;
}

int CWktType::fromKeyword(const QString& text)
{
    const QString upper = text.trimmed().toUpper();
    for (int code = None + 1; code < Count; ++code) {
        if (upper == QLatin1String(keywords[code]))
            return code;
    }
    return None;
}

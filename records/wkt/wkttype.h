#pragma once

#include <QString>

// Keyword code of a WKT node.
class CWktType
{
public:
    enum Code {
        None = 0,
        PROJCS,
        GEOGCS,
        DATUM,
        SPHEROID,
        TOWGS84,
        PRIMEM,
        PROJECTION,
        PARAMETER,
        UNIT,
        AXIS,
        AUTHORITY,
        Count
    };

    CWktType(int code = None);

    int code() const { return m_code; }
    QString keyword() const;
    bool set(int code);
    bool setKeyword(const QString& text);

    // Code of a keyword in any case, None for an unknown keyword.
    static int fromKeyword(const QString& text);

private:
    int m_code = None;
};

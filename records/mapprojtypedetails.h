#pragma once

#include "records/abstractdetails.h"

#include "database/novalue.h"

class CMapProjTypeInfo;

// A map projection type of the code table "mapprojtype" with the labels and
// orientation of its two plane axes.
class CMapProjTypeDetails : public CAbstractDetails
{
public:
    CMapProjTypeDetails();
    CMapProjTypeDetails(const CMapProjTypeDetails& other) = default;
    CMapProjTypeDetails& operator=(const CMapProjTypeDetails& other) = default;

    void clear();
    bool isValid() const;
    // A code-table record is the row of its code: the same code is the same record, whatever
    // its texts and validity.
    bool operator==(const CMapProjTypeDetails& other) const { return code == other.code; }
    bool toInfo(CMapProjTypeInfo& info) const;
    // Fills the record from the code tables; false (record cleared) for a
    // code they do not hold.
    bool setCode(int code);

    QString getName() const override { return name; }
    QDomElement toXml(QDomDocument& document, const QString& tag) const override;
    bool fromXml(const QDomNode& node) override;
    void fillInfoTree(QTreeWidgetItem* parent) const override;
    QString infoText() const override;

    int code = 0;
    QString name;
    QString description;
    QString shortName;
    QString coord1Abbr;
    QString coord2Abbr;
    QString coord1Desc;
    QString coord2Desc;
    // +1 east / north, -1 west / south.
    int coord1Sign = 0;
    int coord2Sign = 0;
    // Non-zero when the first coordinate is the north-south one.
    int swapCoords = 0;
    int epsgCode = 0;
    int mapinfoCode = NoValue;

private:
    struct InfoLine {
        QString label;
        QString value;
    };
    // The parameters of a known type from the code tables.
    QList<InfoLine> parameterLines() const;
    // The axis texts that are set.
    QList<InfoLine> axisLines() const;
};

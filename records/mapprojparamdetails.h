#pragma once

#include "records/abstractdetails.h"

class CMapProjParamInfo;

// A map projection parameter of the code table "mapprojparam".
class CMapProjParamDetails : public CAbstractDetails
{
public:
    CMapProjParamDetails();
    CMapProjParamDetails(const CMapProjParamDetails& other) = default;
    CMapProjParamDetails& operator=(const CMapProjParamDetails& other) = default;

    void clear();
    bool isValid() const;
    // A code-table record is the row of its code: the same code is the same record, whatever
    // its texts and validity.
    bool operator==(const CMapProjParamDetails& other) const { return code == other.code; }
    bool toInfo(CMapProjParamInfo& info) const;
    // Fills all but the WKT name from the code tables; the code 0 changes
    // nothing and gives false.
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
    int valueKind = 0;
    int epsgCode = 0;
    QString wktName;
};

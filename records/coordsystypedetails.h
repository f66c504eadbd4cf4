#pragma once

#include "records/abstractdetails.h"

class CCoordSysTypeInfo;

// A coordinate system type of the code table "coordsystype".
class CCoordSysTypeDetails : public CAbstractDetails
{
public:
    CCoordSysTypeDetails();
    CCoordSysTypeDetails(const CCoordSysTypeDetails& other) = default;
    CCoordSysTypeDetails& operator=(const CCoordSysTypeDetails& other) = default;

    void clear();
    bool isValid() const;
    // A code-table record is the row of its code: the same code is the same record, whatever
    // its texts and validity.
    bool operator==(const CCoordSysTypeDetails& other) const { return code == other.code; }
    bool toInfo(CCoordSysTypeInfo& info) const;
    // Fills the record from the built-in labels; false for the code 0.
    bool setCode(int code);

    QString getName() const override { return name; }
    QDomElement toXml(QDomDocument& document, const QString& tag) const override;
    bool fromXml(const QDomNode& node) override;
    void fillInfoTree(QTreeWidgetItem* parent) const override;
    QString infoText() const override;

    int code = 0;
    QString name;
    QString description;
};

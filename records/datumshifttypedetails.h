#pragma once

#include "records/abstractdetails.h"

class CDatumShiftTypeInfo;

// A datum shift type of the code table "datumshifttype".
class CDatumShiftTypeDetails : public CAbstractDetails
{
public:
    CDatumShiftTypeDetails();
    CDatumShiftTypeDetails(const CDatumShiftTypeDetails& other) = default;
    CDatumShiftTypeDetails& operator=(const CDatumShiftTypeDetails& other) = default;

    void clear();
    bool isValid() const;
    // A code-table record is the row of its code: the same code is the same record, whatever
    // its texts and validity.
    bool operator==(const CDatumShiftTypeDetails& other) const { return code == other.code; }
    bool toInfo(CDatumShiftTypeInfo& info) const;
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
    int epsgCode = 0;
};

#pragma once

#include "records/abstractdetails.h"

class CTransformTypeInfo;

// A transform type of the code table "transformtype".
class CTransformTypeDetails : public CAbstractDetails
{
public:
    CTransformTypeDetails();
    CTransformTypeDetails(const CTransformTypeDetails& other) = default;
    CTransformTypeDetails& operator=(const CTransformTypeDetails& other) = default;

    void clear();
    bool isValid() const;
    // A code-table record is the row of its code: the same code is the same record, whatever
    // its texts and validity.
    bool operator==(const CTransformTypeDetails& other) const { return code == other.code; }
    bool toInfo(CTransformTypeInfo& info) const;

    QString getName() const override { return name; }
    QDomElement toXml(QDomDocument& document, const QString& tag) const override;
    bool fromXml(const QDomNode& node) override;
    void fillInfoTree(QTreeWidgetItem* parent) const override;
    QString infoText() const override;

    int code = 0;
    QString name;
    QString description;
};

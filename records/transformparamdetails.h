#pragma once

#include "records/abstractdetails.h"

class CTransformParamInfo;

// A transform parameter of the code table "transformparam". The type is a kind
// code that travels with the definition in XML only.
class CTransformParamDetails : public CAbstractDetails
{
public:
    CTransformParamDetails();
    CTransformParamDetails(const CTransformParamDetails& other) = default;
    CTransformParamDetails& operator=(const CTransformParamDetails& other) = default;

    void clear();
    bool isValid() const;
    // A code-table record is the row of its code: the same code is the same record, whatever
    // its texts and validity.
    bool operator==(const CTransformParamDetails& other) const { return code == other.code; }
    bool toInfo(CTransformParamInfo& info) const;

    QString getName() const override { return name; }
    // Carries the attributes "code" and "name" even when not valid.
    QDomElement toXml(QDomDocument& document, const QString& tag) const override;
    bool fromXml(const QDomNode& node) override;
    void fillInfoTree(QTreeWidgetItem* parent) const override;
    QString infoText() const override;

    int code = 0;
    QString name;
    QString description;
    QString shortName;
    int type = 0;
};

#pragma once

#include "records/abstractdetails.h"
#include "records/transformdetails.h"

#include <QVector>

class CTransformListInfo;

// A named, ordered sequence of transforms with a scope (1 sequence,
// 2 pairwise, 3 horizontal, 4 vertical datum transform) and an identifier.
class CTransformListDetails : public CAbstractDetails
{
public:
    CTransformListDetails();
    CTransformListDetails(const CTransformListDetails& other) = default;
    CTransformListDetails& operator=(const CTransformListDetails& other) = default;

    void clear();
    bool isValid() const;
    // The transforms are compared one by one, in order, whether the lists share them or not.
    bool operator==(const CTransformListDetails& other) const;
    // Converts every transform it can; false when one fails, the info then
    // holding the others in order.
    bool toInfo(CTransformListInfo& info) const;

    QString getName() const override { return name; }
    QDomElement toXml(QDomDocument& document, const QString& tag) const override;
    bool fromXml(const QDomNode& node) override;
    void fillInfoTree(QTreeWidgetItem* parent) const override;
    QString infoText() const override;
    // "Преобразования" and one indented "name: type name" line per transform;
    // empty for a list without transforms.
    QString transformsText() const;

    QString name;
    QString description;
    int scope = 0;
    QString identifier;
    QVector<CTransformDetails> transforms;

private:
    // The Russian name of a scope of 1 to 4, empty for any other.
    QString scopeName() const;
    void readTransforms(const QDomElement& element);
};

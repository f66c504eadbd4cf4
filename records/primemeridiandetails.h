#pragma once

#include "records/abstractdetails.h"
#include "records/unitdetails.h"

#include <memory>

class CPrimeMeridianInfo;
class CWktItemPRIMEM;

// A prime meridian: its longitude as text in an angle unit.
class CPrimeMeridianDetails : public CAbstractDetails
{
public:
    CPrimeMeridianDetails();
    CPrimeMeridianDetails(const CPrimeMeridianDetails& other) = default;
    CPrimeMeridianDetails& operator=(const CPrimeMeridianDetails& other) = default;

    void clear();
    bool isValid() const;
    bool operator==(const CPrimeMeridianDetails& other) const;
    bool toInfo(CPrimeMeridianInfo& info) const;
    bool fromWkt(const CWktItemPRIMEM* node);
    static std::shared_ptr<CPrimeMeridianDetails> createFromWkt(const CWktItemPRIMEM* node);

    QString getName() const override { return name; }
    QDomElement toXml(QDomDocument& document, const QString& tag) const override;
    bool fromXml(const QDomNode& node) override;
    // The longitude in its unit.
    QVector<CNumberText> numberTexts() const override;
    void fillInfoTree(QTreeWidgetItem* parent) const override;
    QString infoText() const override;

    QString name;
    QString description;
    QString longitude;
    std::shared_ptr<CUnitDetails> unit;
    int epsgCode = 0;
};

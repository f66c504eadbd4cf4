#pragma once

#include "records/abstractdetails.h"

#include <memory>

class CAngleFormatInfo;

// An angle format of the code table "unitangleformat".
class CAngleFormatDetails : public CAbstractDetails
{
public:
    CAngleFormatDetails();
    CAngleFormatDetails(const CAngleFormatDetails& other) = default;
    CAngleFormatDetails& operator=(const CAngleFormatDetails& other) = default;

    void clear();
    bool isValid() const;
    // A code-table record is the row of its code: the same code is the same record, whatever
    // its texts and validity.
    bool operator==(const CAngleFormatDetails& other) const { return code == other.code; }
    bool toInfo(CAngleFormatInfo& info) const;
    // The row of the fixed code table with the code; empty for a code not in it.
    static std::shared_ptr<CAngleFormatDetails> createForCode(int code);
    // The row of the fixed code table whose EPSG unit code is given; empty for a code that names
    // no angle format (0 included).
    static std::shared_ptr<CAngleFormatDetails> createForEpsgUnit(int epsgCode);

    QString getName() const override { return name; }
    QString kindTitle() const override;
    QDomElement toXml(QDomDocument& document, const QString& tag) const override;
    bool fromXml(const QDomNode& node) override;
    void fillInfoTree(QTreeWidgetItem* parent) const override;
    QString infoText() const override;

    int code = 0;
    QString name;
    QString description;
    QString shortName;
    int epsgCode = 0;
};

#pragma once

#include "records/abstractdetails.h"
#include "records/unitdetails.h"

#include <memory>

class CTransformParamValueInfo;

// The value of one parameter of a transform, as text, with an optional unit.
// It has no name of its own.
class CTransformParamValueDetails : public CAbstractDetails
{
public:
    CTransformParamValueDetails();
    CTransformParamValueDetails(const CTransformParamValueDetails& other) = default;
    CTransformParamValueDetails& operator=(const CTransformParamValueDetails& other) = default;

    void clear();
    bool isValid() const;
    // Values compared as texts.
    bool operator==(const CTransformParamValueDetails& other) const;
    // False (info cleared) also when the unit does not convert.
    bool toInfo(CTransformParamValueInfo& info) const;
    // The value followed by the unit's short name, or its name in parentheses.
    QString valueText() const;

    // With a unit the element holds "Unit" and "Value"; without one it holds
    // the value text itself. Both carry the parameter code as attribute.
    QDomElement toXml(QDomDocument& document, const QString& tag) const override;
    // An element with child elements is read in the unit form, whose code and
    // value come from its "Value" child whether or not its unit reads.
    bool fromXml(const QDomNode& node) override;
    // Without a code (attribute code) the value does not read.
    QString invalidReason(const QDomNode& node, const QString& fault) const override;
    void fillInfoTree(QTreeWidgetItem* parent) const override;
    QString infoText() const override;

    int paramCode = 0;
    QString value;
    std::shared_ptr<CUnitDetails> unit;

private:
    void readCodeAndValue(const QDomElement& element);
};

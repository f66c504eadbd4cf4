#pragma once

#include "records/abstractdetails.h"
#include "records/transformparamdetails.h"
#include "records/transformparamvaluedetails.h"
#include "records/transformtypedetails.h"

#include <QMap>

class CTransformInfo;

// One transform of plane coordinates or heights: its type and the values of
// its parameters with their definitions, both keyed by parameter code.
class CTransformDetails : public CAbstractDetails
{
public:
    CTransformDetails();
    CTransformDetails(const CTransformDetails& other) = default;
    CTransformDetails& operator=(const CTransformDetails& other) = default;

    void clear();
    bool isValid() const;
    // The type is its code: the type record, which only describes the row of that code and
    // is lost on the way when it is not valid, is not compared; nor are the parameter
    // definitions.
    bool operator==(const CTransformDetails& other) const;
    // False, info cleared, when a value or definition does not convert.
    bool toInfo(CTransformInfo& info) const;

    QString getName() const override { return name; }
    // Values and definitions that are not valid are left out.
    QDomElement toXml(QDomDocument& document, const QString& tag) const override;
    // A parameter code given more than once keeps its last value and is noted to the active
    // CXmlReadCheck.
    bool fromXml(const QDomNode& node) override;
    // The values, each read in its unit; those that the type uses must be given.
    QVector<CNumberText> numberTexts() const override;
    void fillInfoTree(QTreeWidgetItem* parent) const override;
    QString infoText() const override;

    QString name;
    QString description;
    int typeCode = 0;
    CTransformTypeDetails transformType;
    QMap<int, CTransformParamValueDetails> paramValues;
    QMap<int, CTransformParamDetails> params;

private:
    bool fillInfo(CTransformInfo& info) const;
    // "label: value unit", the label being the name of the parameter's definition.
    QString valueLine(int code, const CTransformParamValueDetails& value) const;
    // Stores the values that read valid, the later of one code replacing the earlier, whose
    // code goes to repeated.
    void readParamValues(const QDomElement& element, QVector<int>& repeated);
    void readParams(const QDomElement& element);
    // The path of the parameter's value below the transform's element, named by the code and
    // the name that the definition of the code gives (else the code table's).
    QString paramPath(int code) const;
};

#pragma once

#include "records/abstractdetails.h"
#include "records/mapprojparamdetails.h"
#include "records/mapprojtypedetails.h"
#include "records/unitdetails.h"

#include "database/novalue.h"

#include <QMap>

#include <memory>

class CMapProjInfo;
class CWktItemPROJCS;

// A map projection: its type, the texts of the type's parameters by parameter
// code with the units of their value kinds, the parameter definitions, and
// the labels and orientation of the two plane coordinates.
class CMapProjDetails : public CAbstractDetails
{
public:
    CMapProjDetails();
    CMapProjDetails(const CMapProjDetails& other) = default;
    CMapProjDetails& operator=(const CMapProjDetails& other) = default;

    void clear();
    bool isValid() const;
    // Names by base name, parameter values as texts; not compared: the
    // coordinate descriptions, the parameter definitions and the type record
    // beyond its code.
    bool operator==(const CMapProjDetails& other) const;
    bool toInfo(CMapProjInfo& info) const;
    // A transverse Mercator from a PROJCS, its parameters in the PROJCS's
    // linear unit and the GEOGCS's angular unit.
    bool fromWkt(const CWktItemPROJCS* node);
    static std::shared_ptr<CMapProjDetails> createFromWkt(const CWktItemPROJCS* node);

    QString getName() const override { return name; }
    // A type record without a name is written with its code only. Empty
    // parameter values and invalid definitions are left out.
    QDomElement toXml(QDomDocument& document, const QString& tag) const override;
    // A parameter code given more than once keeps its last value and is noted to the active
    // CXmlReadCheck.
    bool fromXml(const QDomNode& node) override;
    // The parameter values that are lengths, angles or scales in their unit, plain numbers.
    QVector<CNumberText> numberTexts() const override;
    void fillInfoTree(QTreeWidgetItem* parent) const override;
    QString infoText() const override;

    QString name;
    QString description;
    QString shortName;
    std::shared_ptr<CUnitDetails> lengthUnit;
    std::shared_ptr<CUnitDetails> angleUnit;
    std::shared_ptr<CUnitDetails> scaleUnit;
    QString coord1Abbr;
    QString coord2Abbr;
    QString coord1Desc;
    QString coord2Desc;
    // +1 east / north, -1 west / south.
    int coord1Sign = 0;
    int coord2Sign = 0;
    // Non-zero when the first coordinate is the north-south one.
    int swapCoords = 0;
    int epsgCode = 0;
    int mapinfoCode = NoValue;
    CMapProjTypeDetails mapProjType;
    QMap<int, QString> paramValues;
    QMap<int, CMapProjParamDetails> params;

private:
    bool fillInfo(CMapProjInfo& info) const;
    // The unit of a parameter value kind: length, angle or scale; none for others.
    std::shared_ptr<CUnitDetails> unitOfKind(int valueKind) const;
    // "value unit-label" of a defined parameter, "?" for a missing value.
    QString paramValueText(const CMapProjParamDetails& param) const;
    // The names of the directions of the first and second coordinate.
    QString directionName(bool first) const;
    void appendType(QDomDocument& document, QDomElement& element) const;
    // Stores the values given, the later of one code replacing the earlier, whose code goes
    // to repeated.
    void readParamValues(const QDomElement& element, QVector<int>& repeated);
    void readParams(const QDomElement& element);
    // The path of the parameter's value below the projection's element, named by the code and
    // the name that the definition of the code gives (else the code table's).
    QString paramPath(int code) const;
};

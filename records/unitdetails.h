#pragma once

#include "records/abstractdetails.h"
#include "records/angleformatdetails.h"

#include "database/novalue.h"

#include <memory>
#include <optional>

class CUnitInfo;
class CWktItemUNIT;

// A unit of measure: one unit is factorB / factorC base units (metre,
// radian or unity by scope). Stored in "unitlength", "unitangle" or
// "unitscale" by scope.
class CUnitDetails : public CAbstractDetails
{
public:
    CUnitDetails();
    CUnitDetails(const CUnitDetails& other) = default;
    CUnitDetails& operator=(const CUnitDetails& other) = default;

    void clear();
    bool isValid() const;
    // Names compared by base name, factors within a relative 1e-6.
    bool operator==(const CUnitDetails& other) const;
    // False (info cleared) also when the factor texts cannot be converted.
    bool toInfo(CUnitInfo& info) const;
    // The text read in the unit as the recalculation reads it, in base units (metres, radians):
    // the whole text one finite number, or an angle in the unit's format. Empty when the unit
    // does not convert or does not read the text.
    std::optional<double> readInBase(const QString& text) const;
    // The text read as readInBase reads it, as a value of the unit itself (degrees for an angle
    // in degrees, minutes and seconds).
    std::optional<double> readInUnit(const QString& text) const;
    // From a WKT UNIT in the scope (1 length, 2 angle, 3 scale).
    bool fromWkt(const CWktItemUNIT* node, int scope);
    static std::shared_ptr<CUnitDetails> createFromWkt(const CWktItemUNIT* node, int scope);
    // "м", "рад" or empty, by scope.
    QString baseUnitSymbol() const;

    QString getName() const override { return name; }
    QDomElement toXml(QDomDocument& document, const QString& tag) const override;
    bool fromXml(const QDomNode& node) override;
    // The factors, each one plain number that must be given.
    QVector<CNumberText> numberTexts() const override;
    // The title of the table of its scope; "Единицы измерения" without a scope.
    QString kindTitle() const override;
    void fillInfoTree(QTreeWidgetItem* parent) const override;
    QString infoText() const override;

    int scope = 0;
    QString name;
    QString description;
    QString shortName;
    QString factorB;
    QString factorC;
    std::shared_ptr<CAngleFormatDetails> angleFormat;
    int epsgCode = 0;
    int mapinfoCode = NoValue;

private:
    QString conversionLine() const;
    std::optional<double> readText(const QString& text, bool inBase) const;
};

// Both empty, or both set and equal.
bool sameUnit(const std::shared_ptr<CUnitDetails>& a, const std::shared_ptr<CUnitDetails>& b);
// Empty when the recalculation reads the text: in the unit (an angle in the unit's format, say),
// or as one plain finite number when there is no unit that converts. Otherwise "«text» не
// является числом", followed by " в единице «name»" for a unit that converts.
QString unreadInUnit(const QString& text, const std::shared_ptr<CUnitDetails>& unit);

#pragma once

#include "records/abstractdetails.h"
#include "records/datumshifttypedetails.h"
#include "records/unitdetails.h"

#include <QVector>

#include <memory>

class CDatumShiftInfo;
class CWktItemTOWGS84;

// A three-, seven- or ten-parameter shift from a datum to another datum, as a
// rule WGS 84. The parameters are the texts typed or read, in the length,
// angle and scale units; a pairwise shift carries an identifier and a role.
class CDatumShiftDetails : public CAbstractDetails
{
public:
    CDatumShiftDetails();
    CDatumShiftDetails(const CDatumShiftDetails& other) = default;
    CDatumShiftDetails& operator=(const CDatumShiftDetails& other) = default;

    void clear();
    bool isValid() const;
    // Names by base name, parameters as numbers within a relative 1e-6, the
    // type records by code only; a missing type record (code 0) stands for the
    // record of the type, as a stored shift reads its type record by its type.
    bool operator==(const CDatumShiftDetails& other) const;
    bool toInfo(CDatumShiftInfo& info) const;
    // The shift of the named datum to WGS 84, seven parameters.
    bool fromWkt(const CWktItemTOWGS84* node, const QString& datumName);
    static std::shared_ptr<CDatumShiftDetails> createFromWkt(const CWktItemTOWGS84* node,
                                                             const QString& datumName);

    QString getName() const override { return name; }
    QDomElement toXml(QDomDocument& document, const QString& tag) const override;
    bool fromXml(const QDomNode& node) override;
    // The reason for refusing the shift when a parameter that its type uses (as the
    // recalculation reads them) is given but is not a number that its unit reads as the
    // recalculation reads it (a plain finite number without a unit): it names the shift, the
    // parameter and the text. Empty when every such parameter reads or is empty; an empty
    // parameter is not read here.
    QString unreadableParameter() const;
    // The parameters that its type uses, each required and read in its unit.
    QVector<CNumberText> numberTexts() const override;
    // The parameter lines follow the code of the type record.
    void fillInfoTree(QTreeWidgetItem* parent) const override;
    QString infoText() const override;

    QString name;
    QString description;
    QString identifier;
    int pairwiseRole = 0;
    int type = 0;
    QString translationX;
    QString translationY;
    QString translationZ;
    QString rotationX;
    QString rotationY;
    QString rotationZ;
    QString scaleChange;
    QString pivotPointX;
    QString pivotPointY;
    QString pivotPointZ;
    int conventionCode = 0;
    bool exact = false;
    std::shared_ptr<CUnitDetails> lengthUnit;
    std::shared_ptr<CUnitDetails> angleUnit;
    std::shared_ptr<CUnitDetails> scaleUnit;
    int epsgCode = 0;
    CDatumShiftTypeDetails datumShiftType;

private:
    struct ParamLine {
        QString label;
        QString value;
        std::shared_ptr<CUnitDetails> unit;
        bool scale;
        // The element of the parameter.
        QString tag;
    };
    // The parameters that the type of the code uses, in display order.
    QVector<ParamLine> parameterLines(int code) const;
    bool showsExact() const;
    // The code of the type record, the type when the record gives none.
    int typeRecordCode() const;
    QString roleName() const;
    bool fillInfo(CDatumShiftInfo& info) const;
};

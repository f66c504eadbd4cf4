#pragma once

#include "database/novalue.h"

#include <QFrame>
#include <QList>
#include <QString>

class FrameDatabasePicker;
class QBoxLayout;
class QLabel;
class QLineEdit;
class QSqlRecord;

// What the seven-parameter and the Molodensky-Badekas frames share: three translations,
// three rotations and a scale correction as typed, with their length, angular and scale
// units. The rotations follow the angle format of their unit.
class FrameDatumShiftSevenParams : public QFrame
{
    Q_OBJECT

public:
    struct Params {
        QString tx;
        QString ty;
        QString tz;
        QString rx;
        QString ry;
        QString rz;
        QString dm;
        int lengthUnit = NoValue;
        int angleUnit = NoValue;
        int scaleUnit = NoValue;
        bool exact = false;

        void clear() { *this = Params(); }
    };

protected:
    explicit FrameDatumShiftSevenParams(QWidget* parent);

    // Validators and unit pickers for the inputs of the form set up on the frame, found by
    // their names: editShiftX, editRotX, editScale, editPivotX (if any), labelUnitShiftX,
    // layoutLengthUnit and the like.
    void setupControls();
    // Empties the inputs and the unit labels; no unit is chosen.
    void clearParameters();
    // Shows the translations, rotations, scale correction and units of the row.
    void showParameters(const QSqlRecord& row);
    // Translations, rotations and scale correction in this order; the message of the first
    // one missing, empty when all are given.
    QString readParameters(Params& params) const;
    // The three unit keys in this order; the message of the first one missing.
    QString readUnits(Params& params, const QString& noLengthUnit) const;

private slots:
    void slotSelectLinearUnit(int key);
    void slotSelectAngularUnit(int key);
    void slotSelectScalarUnit(int key);

private:
    // The inputs of the form; the length unit labels include those of a pivot point.
    struct CWidgets {
        QList<QLineEdit*> translations;
        QList<QLineEdit*> rotations;
        QLineEdit* scale = nullptr;
        QList<QLineEdit*> pivot;
        QList<QLabel*> lengthLabels;
        QList<QLabel*> angleLabels;
        QLabel* scaleLabel = nullptr;
    };

    void findWidgets();
    // The three rotations; the message for one missing or for a text that the angular unit
    // cannot read.
    QString readRotations(Params& params) const;
    FrameDatabasePicker* addUnitPicker(int tableId, const QString& layout);
    void showLinearUnit();
    void showAngularUnit();
    void showScalarUnit();

    CWidgets m_widgets;
    int m_linearUnit = NoValue;
    int m_angularUnit = NoValue;
    int m_scalarUnit = NoValue;
    FrameDatabasePicker* m_linearUnitPicker = nullptr;
    FrameDatabasePicker* m_angularUnitPicker = nullptr;
    FrameDatabasePicker* m_scalarUnitPicker = nullptr;
};

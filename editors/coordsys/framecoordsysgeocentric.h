#pragma once

#include "coordsysframeparts.h"

#include "database/novalue.h"

#include <QFrame>
#include <QString>

namespace Ui {
class FrameCoordSysGeocentric;
}


// Parameters of a geocentric coordinate system: the unit of the coordinates, the prime
// meridian, a datum when one is used, and the names of the three axes.
class FrameCoordSysGeocentric : public QFrame
{
    Q_OBJECT

public:
    struct Params {
        int lengthUnit = NoValue;
        int primeMeridian = NoValue;
        int datum = NoValue;
        QString coord1Abbr;
        QString coord2Abbr;
        QString coord3Abbr;

        void clear() { *this = Params(); }
    };

    explicit FrameCoordSysGeocentric(QWidget* parent);
    ~FrameCoordSysGeocentric() override;

    // Fills the form from the stored system of the key; the defaults when there is none.
    void load(int key);
    // Fills the record; on a missing input a warning, a cleared record and false.
    bool validate(Params& params);
    // As validate without the warning: the fault, empty when the record is filled.
    QString readParams(Params& params) const;
    void clear();
    void setDefaults();

private slots:
    void slotSelectLinearUnit(int key);
    void slotSelectPrimeMeridian(int key);
    void slotSelectDatum(int key);
    void slotUseDatumChanged(int state);

private:
    void resetKeys();

    Ui::FrameCoordSysGeocentric* m_ui;
    CPickedKey m_primeMeridian;
    CPickedKey m_datum;
    CPickedKey m_lengthUnit;
};

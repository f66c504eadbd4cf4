#pragma once

#include "coordsysframeparts.h"

#include "database/novalue.h"

#include <QFrame>
#include <QString>

namespace Ui {
class FrameCoordSysTopocentric;
}


// Parameters of a topocentric coordinate system: the geodetic base (prime meridian, datum or
// bare ellipsoid), the origin with its units, the azimuth of the first axis with its unit,
// the orientation, symbols and unit of the coordinates. Origin and azimuth are kept as typed.
class FrameCoordSysTopocentric : public QFrame
{
    Q_OBJECT

public:
    struct Params {
        int primeMeridian = NoValue;
        int datum = NoValue;
        int ellipsoid = NoValue;
        int originAngleUnit = NoValue;
        int originLengthUnit = NoValue;
        int azimuthUnit = NoValue;
        int lengthUnit = NoValue;
        QString originCoord1;
        QString originCoord2;
        QString originCoord3;
        QString azimuth;
        bool swapCoords = false;
        QString coord1Abbr;
        QString coord2Abbr;
        QString coord3Abbr;

        void clear() { *this = Params(); }
    };

    explicit FrameCoordSysTopocentric(QWidget* parent);
    ~FrameCoordSysTopocentric() override;

    // Fills the form from the stored system of the key; the defaults when there is none.
    void load(int key);
    // Fills the record; on a missing input a warning, a cleared record and false.
    bool validate(Params& params);
    // As validate without the warning: the fault, empty when the record is filled.
    QString readParams(Params& params) const;
    void clear();
    void setDefaults();

private slots:
    void slotSelectPrimeMeridian(int key);
    void slotSelectDatum(int key);
    void slotSelectEllipsoid(int key);
    void slotDatumEllipsoidSwitched(bool);
    void slotSelectLinearUnitOrigin(int key);
    void slotSelectAngularUnitOrigin(int key);
    void slotSelectAngularUnitAzimuth(int key);
    void slotSelectLinearUnitCoords(int key);

private:
    void createPickers();
    void resetKeys();
    // The fault of the first missing input after the base system, empty when all are given.
    QString readOrigin(Params& read) const;

    Ui::FrameCoordSysTopocentric* m_ui;
    CGeodeticBase m_base;
    CPickedKey m_originAngleUnit;
    CPickedKey m_originLengthUnit;
    CPickedKey m_azimuthUnit;
    CPickedKey m_lengthUnit;
};

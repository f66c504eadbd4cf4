#pragma once

#include "coordsysframeparts.h"

#include "database/novalue.h"

#include <QFrame>
#include <QString>

namespace Ui {
class FrameCoordSysGeodetic;
}

class QKeyEvent;

// Parameters of a geodetic coordinate system: the prime meridian, a datum or a bare
// ellipsoid, the units of latitude, longitude and height, a height system when one is used,
// the positive-longitude flag and the coordinate symbols.
class FrameCoordSysGeodetic : public QFrame
{
    Q_OBJECT

public:
    struct Params {
        int primeMeridian = NoValue;
        int datum = NoValue;
        int ellipsoid = NoValue;
        int heightUnit = NoValue;
        int angleUnit = NoValue;
        int vertCoordSys = NoValue;
        bool positiveLongitude = false;
        QString coord1Abbr;
        QString coord2Abbr;
        QString coord3Abbr;

        void clear() { *this = Params(); }
    };

    explicit FrameCoordSysGeodetic(QWidget* parent);
    ~FrameCoordSysGeodetic() override;

    // Fills the form from the stored system of the key; the defaults when there is none.
    void load(int key);
    // Fills the record; on a missing input a warning, a cleared record and false.
    bool validate(Params& params);
    // As validate without the warning: the fault, empty when the record is filled.
    QString readParams(Params& params) const;
    void clear();
    void setDefaults();

protected:
    // Ctrl+P in the latitude symbol puts φ, Ctrl+L in the longitude symbol puts λ.
    void keyPressEvent(QKeyEvent* event) override;

private slots:
    void slotSelectPrimeMeridian(int key);
    void slotSelectDatum(int key);
    void slotSelectEllipsoid(int key);
    void slotSelectLinearUnit(int key);
    void slotSelectAngularUnit(int key);
    void slotSelectVerticalCoordSys(int key);
    void slotDatumEllipsoidSwitched(bool);
    void slotUseGeoidChanged(int state);

private:
    void createPickers();
    void resetKeys();

    Ui::FrameCoordSysGeodetic* m_ui;
    CGeodeticBase m_base;
    CPickedKey m_heightUnit;
    CPickedKey m_angleUnit;
    CPickedKey m_vertCoordSys;
};

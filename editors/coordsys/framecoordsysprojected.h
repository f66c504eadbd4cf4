#pragma once

#include "coordsysframeparts.h"

#include "database/novalue.h"

#include <QFrame>
#include <QString>

namespace Ui {
class FrameCoordSysProjected;
}


// Parameters of a projected coordinate system: the prime meridian, a datum or a bare
// ellipsoid, the map projection, the unit and symbols of the plane coordinates, and the
// unit, symbol and (when one is used) the system of the heights.
class FrameCoordSysProjected : public QFrame
{
    Q_OBJECT

public:
    struct Params {
        int primeMeridian = NoValue;
        int datum = NoValue;
        int ellipsoid = NoValue;
        int mapProjection = NoValue;
        int lengthUnit = NoValue;
        int vertCoordSys = NoValue;
        int heightUnit = NoValue;
        QString coord1Abbr;
        QString coord2Abbr;
        QString coord3Abbr;

        void clear() { *this = Params(); }
    };

    explicit FrameCoordSysProjected(QWidget* parent);
    ~FrameCoordSysProjected() override;

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
    void slotSelectPlaneUnit(int key);
    void slotSelectHeightUnit(int key);
    void slotSelectMapProjection(int key);
    void slotSelectVerticalCoordSys(int key);
    void slotDatumEllipsoidSwitched(bool);
    void slotUseGeoidChanged(int state);

private:
    void createPickers();
    void resetKeys();
    // Shows the held projection; a plane symbol takes the projection's unless the user
    // typed one of their own.
    void updateMapProjection();

    Ui::FrameCoordSysProjected* m_ui;
    CGeodeticBase m_base;
    CPickedKey m_mapProjection;
    CPickedKey m_planeUnit;
    CPickedKey m_heightUnit;
    CPickedKey m_vertCoordSys;
    // The plane symbols that the shown projection gave.
    QString m_projectionAbbr1;
    QString m_projectionAbbr2;
};

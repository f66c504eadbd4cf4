#pragma once

#include "coordsysframeparts.h"

#include "database/novalue.h"

#include <QFrame>
#include <QString>

namespace Ui {
class FrameCoordSysLocalCartesian;
}


// Parameters of a local Cartesian coordinate system: the unit of the coordinates, the
// orientation of the axes and the names of the three coordinates.
class FrameCoordSysLocalCartesian : public QFrame
{
    Q_OBJECT

public:
    struct Params {
        int lengthUnit = NoValue;
        QString coord1Abbr;
        QString coord2Abbr;
        QString coord3Abbr;
        bool swapCoords = false;

        void clear() { *this = Params(); }
    };

    explicit FrameCoordSysLocalCartesian(QWidget* parent);
    ~FrameCoordSysLocalCartesian() override;

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

private:
    Ui::FrameCoordSysLocalCartesian* m_ui;
    CPickedKey m_lengthUnit;
};

#pragma once

#include "framedatumshiftsevenparams.h"

namespace Ui {
class FrameDatumShiftMolodenskyBadekas;
}

// Parameters of a Molodensky-Badekas datum shift (types 3 and 5): the seven parameters and
// a pivot point in the length unit. The reverse computation choice is not shown: it passes
// from the stored row to the saved one.
class FrameDatumShiftMolodenskyBadekas : public FrameDatumShiftSevenParams
{
    Q_OBJECT

public:
    struct Params : FrameDatumShiftSevenParams::Params {
        QString px;
        QString py;
        QString pz;

        void clear() { *this = Params(); }
    };

    explicit FrameDatumShiftMolodenskyBadekas(QWidget* parent = nullptr);
    ~FrameDatumShiftMolodenskyBadekas() override;

    // Checks the inputs in order and fills the record; on the first missing one a warning,
    // a cleared record and false.
    bool getParams(Params& params);
    // As getParams without the warning: the message of the first missing input, empty when
    // the record is filled.
    QString readParams(Params& params) const;
    // Fills the frame from the stored shift of the key; cleared when there is none.
    void load(int key);
    // Keeps the reverse computation choice.
    void clear();

private:
    Ui::FrameDatumShiftMolodenskyBadekas* m_ui;
};

#pragma once

#include "framedatumshiftsevenparams.h"

namespace Ui {
class FrameDatumShiftHelmert;
}

// Parameters of a seven-parameter datum shift (types 2 and 4): translations, rotations and
// scale correction as typed, their three units and the non-linear flag.
class FrameDatumShiftHelmert : public FrameDatumShiftSevenParams
{
    Q_OBJECT

public:
    using Params = FrameDatumShiftSevenParams::Params;

    explicit FrameDatumShiftHelmert(QWidget* parent = nullptr);
    ~FrameDatumShiftHelmert() override;

    // Checks the inputs in order and fills the record; on the first missing one a warning,
    // a cleared record and false.
    bool getParams(Params& params);
    // As getParams without the warning: the message of the first missing input, empty when
    // the record is filled.
    QString readParams(Params& params) const;
    // Fills the frame from the stored shift of the key; cleared when there is none.
    void load(int key);
    void clear();

private:
    Ui::FrameDatumShiftHelmert* m_ui;
};

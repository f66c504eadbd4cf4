#pragma once

#include "database/novalue.h"

#include <QFrame>
#include <QString>

namespace Ui {
class FrameDatumShiftMolodensky;
}

class FrameDatabasePicker;

// Parameters of a Molodensky datum shift: three translations as typed and their unit.
class FrameDatumShiftMolodensky : public QFrame
{
    Q_OBJECT

public:
    struct Params {
        QString tx;
        QString ty;
        QString tz;
        int lengthUnit = NoValue;

        void clear() { *this = Params(); }
    };

    explicit FrameDatumShiftMolodensky(QWidget* parent = nullptr);
    ~FrameDatumShiftMolodensky() override;

    // Checks the inputs in order and fills the record; on the first missing one a warning,
    // a cleared record and false.
    bool getParams(Params& params);
    // As getParams without the warning: the message of the first missing input, empty when
    // the record is filled.
    QString readParams(Params& params) const;
    // Fills the frame from the stored shift of the key; cleared when there is none.
    void load(int key);
    void clear();

private slots:
    void slotSelectLinearUnit(int key);

private:
    void setupControls();
    void showLinearUnit();

    Ui::FrameDatumShiftMolodensky* m_ui;
    int m_linearUnit = NoValue;
    FrameDatabasePicker* m_linearUnitPicker = nullptr;
};

#pragma once

#include "transformparamentry.h"

#include <QFrame>

class FrameDatabasePicker;

namespace Ui {
class FrameTransformParamsShiftH;
}

// The height shift H' = H + dH with the linear unit of dH.
class FrameTransformParamsShiftH : public QFrame
{
    Q_OBJECT

public:
    struct Params {
        QString dh = QStringLiteral("0");
        int unit = NoValue;

        void clear();
    };

    explicit FrameTransformParamsShiftH(QWidget* parent = nullptr);
    ~FrameTransformParamsShiftH() override;

    // Reads the stored shift and unit of the transform (none for NoValue) and shows them.
    void load(int transformKey);
    // The shift as an entry with its unit; false, with a warning and the map empty, when the
    // shift or the unit is missing.
    bool save(TransformParamEntries& entries);
    bool validate(Params& params);
    void showParams(const Params& params);
    void setIdentity();
    // Shows the current unit; a unit that no longer reads is dropped.
    void showUnit();

private slots:
    void slotDiscardChanges();
    void slotRevert();
    void slotSetIdentic();
    void slotUnitSelected(int key);

private:
    Ui::FrameTransformParamsShiftH* ui;
    FrameDatabasePicker* m_unitPicker;
    Params m_stored;
    int m_unit = NoValue;
};

#pragma once

#include "transformparamentry.h"

#include <QFrame>

namespace Ui {
class FrameTransformParamsShift2D;
}

// The two values of a shift of plane coordinates: X' = X + B1, Y' = Y + B2.
class FrameTransformParamsShift2D : public QFrame
{
    Q_OBJECT

public:
    struct Params {
        QString b1;
        QString b2;

        void clear();
    };

    explicit FrameTransformParamsShift2D(QWidget* parent = nullptr);
    ~FrameTransformParamsShift2D() override;

    // Reads the stored values of the transform (none for NoValue) and shows them.
    void load(int transformKey);
    // The inputs as entries without unit; false, with a warning and the map empty, when one
    // is missing.
    bool save(TransformParamEntries& entries);
    bool validate(Params& params);
    void showParams(const Params& params);
    void setIdentity();

private slots:
    void slotDiscardChanges();
    void slotRevert();
    void slotSetIdentic();

private:
    Ui::FrameTransformParamsShift2D* ui;
    Params m_stored;
};

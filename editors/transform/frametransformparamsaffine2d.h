#pragma once

#include "transformparamentry.h"

#include <QFrame>

namespace Ui {
class FrameTransformParamsAffine2D;
}

// The six values of an affine transform of plane coordinates:
// X' = A11*X + A12*Y + B1, Y' = A21*X + A22*Y + B2.
class FrameTransformParamsAffine2D : public QFrame
{
    Q_OBJECT

public:
    struct Params {
        QString a11;
        QString a12;
        QString a21;
        QString a22;
        QString b1;
        QString b2;

        void clear();
    };

    explicit FrameTransformParamsAffine2D(QWidget* parent = nullptr);
    ~FrameTransformParamsAffine2D() override;

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
    Ui::FrameTransformParamsAffine2D* ui;
    Params m_stored;
};

#pragma once

#include <QFrame>
#include <QString>

namespace Ui {
class FrameDatumShiftPairwiseParams;
}

// Identifier and pairwise role of a datum shift that a datum owns. Roles: 1 through an
// intermediate datum, 2 the datum is the source, 3 the datum is the target, 0 none.
class FrameDatumShiftPairwiseParams : public QFrame
{
    Q_OBJECT

public:
    explicit FrameDatumShiftPairwiseParams(QWidget* parent = nullptr);
    ~FrameDatumShiftPairwiseParams() override;

    QString identifier() const;
    int pairwiseRole() const;
    // Shows a stored pair; a role other than 2 or 3 shows the intermediate datum.
    void setPairwise(const QString& identifier, int role);
    // Empty identifier, role 1.
    void clear();

private slots:
    void slotCheck();
    void slotIndirect(bool checked);

private:
    void updateRoleEnabled();

    Ui::FrameDatumShiftPairwiseParams* m_ui;
};

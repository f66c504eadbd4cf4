#include "framedatumshiftpairwiseparams.h"

#include "ui_framedatumshiftpairwiseparams.h"

namespace {

enum PairwiseRole { RoleNone = 0, RoleIndirect = 1, RoleSource = 2, RoleDestination = 3 };

} // namespace

FrameDatumShiftPairwiseParams::FrameDatumShiftPairwiseParams(QWidget* parent)
    : QFrame(parent)
    , m_ui(new Ui::FrameDatumShiftPairwiseParams)
{
    m_ui->setupUi(this);
    clear();
    connect(m_ui->buttonCheck, &QPushButton::clicked, this, &FrameDatumShiftPairwiseParams::slotCheck);
    connect(m_ui->checkboxIndirect, &QCheckBox::toggled, this, &FrameDatumShiftPairwiseParams::slotIndirect);
}

FrameDatumShiftPairwiseParams::~FrameDatumShiftPairwiseParams()
{
    delete m_ui;
}

QString FrameDatumShiftPairwiseParams::identifier() const
{
    return m_ui->editIdentifier->text().trimmed();
}

int FrameDatumShiftPairwiseParams::pairwiseRole() const
{
    if (m_ui->checkboxIndirect->isChecked())
        return RoleIndirect;
    if (m_ui->radioSource->isChecked())
        return RoleSource;
    if (m_ui->radioDestination->isChecked())
        return RoleDestination;
    return RoleNone;
}

void FrameDatumShiftPairwiseParams::setPairwise(const QString& identifier, int role)
{
    m_ui->editIdentifier->setText(identifier);
    const bool direct = role == RoleSource || role == RoleDestination;
    m_ui->checkboxIndirect->setChecked(!direct);
    if (role == RoleDestination)
        m_ui->radioDestination->setChecked(true);
    else
        m_ui->radioSource->setChecked(true);
    updateRoleEnabled();
}

void FrameDatumShiftPairwiseParams::clear()
{
    setPairwise(QString(), RoleIndirect);
}

// The system defines no check of the identifier.
void FrameDatumShiftPairwiseParams::slotCheck()
{
}

void FrameDatumShiftPairwiseParams::slotIndirect(bool)
{
    updateRoleEnabled();
}

void FrameDatumShiftPairwiseParams::updateRoleEnabled()
{
    const bool direct = !m_ui->checkboxIndirect->isChecked();
    m_ui->labelDirectRole->setEnabled(direct);
    m_ui->radioSource->setEnabled(direct);
    m_ui->radioDestination->setEnabled(direct);
}

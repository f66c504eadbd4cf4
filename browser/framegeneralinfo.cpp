#include "framegeneralinfo.h"
#include "ui_framegeneralinfo.h"

#include "browser/prompt.h"
#include "database/databaseerror.h"
#include "database/novalue.h"
#include "database/sqlfunctions.h"
#include "database/tablecatalogue.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVBoxLayout>

namespace {

const QString warningTitle = QStringLiteral("Предупреждение");

} // namespace

FrameGeneralInfo::FrameGeneralInfo(int tableId, bool vertical, bool hideShortName, QWidget* parent)
    : QFrame(parent)
    , ui(new Ui::FrameGeneralInfo)
    , m_tableId(tableId)
{
    ui->setupUi(this);
    if (hideShortName) {
        ui->labelShortName->hide();
        ui->editShortName->hide();
    }
    if (vertical)
        arrangeVertically();
    connect(ui->editName, &QLineEdit::editingFinished, this, &FrameGeneralInfo::slotNameEdited);
    connect(ui->editShortName, &QLineEdit::editingFinished, this, &FrameGeneralInfo::slotShortNameEdited);
}

FrameGeneralInfo::~FrameGeneralInfo()
{
    delete ui;
}

void FrameGeneralInfo::arrangeVertically()
{
    delete ui->gridLayout;
    ui->gridLayout = nullptr;
    auto* column = new QVBoxLayout(ui->groupboxGeneralInfo);
    for (QWidget* widget : {static_cast<QWidget*>(ui->labelName), static_cast<QWidget*>(ui->editName),
                            static_cast<QWidget*>(ui->labelShortName), static_cast<QWidget*>(ui->editShortName),
                            static_cast<QWidget*>(ui->labelDescription), static_cast<QWidget*>(ui->editDescription)})
        column->addWidget(widget);
}

QString FrameGeneralInfo::name() const
{
    return ui->editName->text().trimmed();
}

QString FrameGeneralInfo::shortName() const
{
    return ui->editShortName->text().trimmed();
}

QString FrameGeneralInfo::displayName() const
{
    const QString shortText = shortName();
    return shortText.isEmpty() ? name() : shortText;
}

QString FrameGeneralInfo::description() const
{
    return ui->editDescription->toPlainText().trimmed();
}

void FrameGeneralInfo::setName(const QString& text)
{
    ui->editName->setText(text.trimmed());
}

void FrameGeneralInfo::setShortName(const QString& text)
{
    ui->editShortName->setText(text.trimmed());
}

void FrameGeneralInfo::setDescription(const QString& text)
{
    ui->editDescription->setPlainText(text.trimmed());
}

void FrameGeneralInfo::clear()
{
    ui->editName->clear();
    ui->editShortName->clear();
    ui->editDescription->clear();
}

bool FrameGeneralInfo::checkNameForInsert()
{
    return checkNameForUpdate(NoValue);
}

bool FrameGeneralInfo::checkNameForUpdate(int ownKey)
{
    if (!checkNameGiven())
        return false;
    int key = NoValue;
    if (!findName(key))
        return false;
    if (key == NoValue || (ownKey != NoValue && key == ownKey))
        return true;
    prompt().warning(this, warningTitle, QStringLiteral("Введенное название уже используется"));
    return false;
}

bool FrameGeneralInfo::checkNameGiven()
{
    if (!name().isEmpty())
        return true;
    prompt().warning(this, warningTitle, QStringLiteral("Заполните название"));
    return false;
}

bool FrameGeneralInfo::findName(int& key)
{
    QSqlQuery query;
    const QString statement = QString("SELECT %1 FROM %2 WHERE name=?;").arg(keyColumnName(m_tableId), tableName(m_tableId));
    if (!execQuery(query, statement, {name()})) {
        prompt().warning(this, warningTitle,
                         QStringLiteral("Ошибка чтения базы данных:\n") + databaseErrorText(query.lastError()));
        return false;
    }
    key = NoValue;
    if (query.next())
        key = query.value(0).toInt();
    return true;
}

void FrameGeneralInfo::slotNameEdited()
{
    emit nameEdited();
}

void FrameGeneralInfo::slotShortNameEdited()
{
    emit shortNameEdited();
}

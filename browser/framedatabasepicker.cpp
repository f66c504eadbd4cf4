#include "framedatabasepicker.h"
#include "ui_framedatabasepicker.h"

#include "browser/dialogdatabaseselector.h"
#include "browser/namefield.h"
#include "database/novalue.h"
#include "database/sqlfunctions.h"
#include "database/tablecatalogue.h"

#include <QBoxLayout>
#include <QLineEdit>
#include <QSqlQuery>
#include <QSqlRecord>

#include <algorithm>

namespace {

// The widest name field in characters, by the kind of record its table holds: a longer name is
// elided rather than widening its editor off the screen. Units have short names, and several of
// their pickers can stand in one row.
int nameFieldMostChars(int tableId)
{
    switch (tableId) {
    case TableUnitLength:
    case TableUnitAngle:
    case TableUnitScale:
        return 20;
    case TableMapProjType:
        return 84;
    default:
        return 48;
    }
}

// The column's value in the row as text; empty when the row has no such column.
QString fieldText(const QSqlRecord& row, const QString& column)
{
    const int index = row.indexOf(column);
    return index < 0 ? QString() : row.value(index).toString();
}

} // namespace

FrameDatabasePicker::FrameDatabasePicker(int tableId, const QString& headerText, int direction, QWidget* parent)
    : QFrame(parent)
    , ui(new Ui::FrameDatabasePicker)
    , m_tableId(tableId)
    , m_key(NoValue)
{
    ui->setupUi(this);
    m_nameField = new CNameField(ui->editName);
    fitNameField();
    clear();
    setDirection(direction);
    setHeaderText(headerText);
    connect(ui->buttonPick, &QToolButton::clicked, this, &FrameDatabasePicker::slotPick);
}

FrameDatabasePicker::~FrameDatabasePicker()
{
    delete ui;
}

int FrameDatabasePicker::tableId() const
{
    return m_tableId;
}

int FrameDatabasePicker::key() const
{
    return m_key;
}

QString FrameDatabasePicker::name() const
{
    return m_name;
}

QString FrameDatabasePicker::shortName() const
{
    return m_shortName;
}

QString FrameDatabasePicker::displayName() const
{
    return m_shortName.isEmpty() ? m_name : m_shortName;
}

bool FrameDatabasePicker::setKey(int key)
{
    m_key = key;
    if (key != NoValue)
        return load();
    clear();
    return false;
}

bool FrameDatabasePicker::load()
{
    clearColumnValues();
    QSqlQuery query;
    const QString statement =
        QString("SELECT * FROM %1 WHERE %2=?;").arg(tableName(m_tableId), keyColumnName(m_tableId));
    if (m_key == NoValue || !execQuery(query, statement, {m_key}) || !query.next()) {
        clear();
        return false;
    }
    const QSqlRecord row = query.record();
    m_name = fieldText(row, "name");
    m_shortName = fieldText(row, "short_name");
    for (auto column = m_columnValues.begin(); column != m_columnValues.end(); ++column)
        column.value() = fieldText(row, column.key());
    m_nameField->setName(m_name);
    return true;
}

void FrameDatabasePicker::clear()
{
    m_key = NoValue;
    m_name.clear();
    m_shortName.clear();
    m_nameField->clear();
}

void FrameDatabasePicker::fitNameField()
{
    QSqlQuery query;
    if (!execQuery(query, QString("SELECT name FROM %1;").arg(tableName(m_tableId)), {}))
        return;
    const int most = CNameField::widthFor(ui->editName, QString(nameFieldMostChars(m_tableId), QLatin1Char('x')));
    int width = 0;
    while (query.next() && width < most)
        width = std::max(width, CNameField::widthFor(ui->editName, query.value(0).toString()));
    ui->editName->setMinimumWidth(std::min(width, most));
}

void FrameDatabasePicker::addColumn(const QString& column)
{
    m_columnValues.insert(column, QString());
}

QString FrameDatabasePicker::columnValue(const QString& column) const
{
    return m_columnValues.value(column);
}

void FrameDatabasePicker::clearColumnValues()
{
    for (QString& value : m_columnValues)
        value.clear();
}

void FrameDatabasePicker::setDirection(int direction)
{
    if (auto* box = qobject_cast<QBoxLayout*>(layout()))
        box->setDirection(static_cast<QBoxLayout::Direction>(direction));
}

void FrameDatabasePicker::setHeaderText(const QString& text)
{
    ui->labelHeader->setText(text);
    ui->labelHeader->setVisible(!text.isEmpty());
}

void FrameDatabasePicker::setPickEnabled(bool enabled)
{
    ui->editName->setEnabled(enabled);
    ui->buttonPick->setEnabled(enabled);
}

bool FrameDatabasePicker::isPickEnabled() const
{
    return ui->buttonPick->isEnabled();
}

void FrameDatabasePicker::slotPick()
{
    const int chosen = DialogDatabaseSelector::selectCode(m_tableId, false, m_key);
    if (chosen != NoValue) {
        m_key = chosen;
        load();
        emit picked(m_key);
        emit touched(false);
        return;
    }
    if (load()) {
        emit touched(true);
        return;
    }
    emit cleared();
    emit touched(false);
}

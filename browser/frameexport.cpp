#include "frameexport.h"
#include "ui_frameexport.h"

#include "browser/dialogdatabaseselector.h"
#include "database/novalue.h"
#include "database/sqlfunctions.h"
#include "database/tablecatalogue.h"
#include "database/validators.h"

#include <QHeaderView>
#include <QIntValidator>
#include <QLineEdit>
#include <QScrollBar>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QToolButton>

namespace {

const char* destinationProperty = "destination";

enum Column { ColumnLabel, ColumnCode, ColumnSelect, ColumnClear, ColumnName };

// The name of the code in the reference table; empty when there is none or the look-up fails.
QString lookUpName(int tableId, int code)
{
    QSqlQuery query;
    const QString statement = QString("SELECT name FROM %1 WHERE %2=?;").arg(tableName(tableId), keyColumnName(tableId));
    if (!execQuery(query, statement, {code}) || !query.next())
        return QString();
    return query.value(0).toString();
}

QTableWidgetItem* fixedItem(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled);
    return item;
}

} // namespace

FrameExport::FrameExport(QWidget* parent)
    : QFrame(parent)
    , ui(new Ui::FrameExport)
{
    ui->setupUi(this);
}

FrameExport::~FrameExport()
{
    delete ui;
}

void FrameExport::setDestinationEpsg(int epsgTableId)
{
    setDestinations({{ExportEpsg, epsgTableId}});
}

void FrameExport::setDestinationsEpsgMapInfo(int epsgTableId, int mapInfoTableId)
{
    setDestinations({{ExportEpsg, epsgTableId}, {ExportMapInfo, mapInfoTableId}});
}

void FrameExport::setDestinations(const QMap<int, int>& referenceTables)
{
    for (auto entry = referenceTables.cbegin(); entry != referenceTables.cend(); ++entry)
        addRow(entry.key(), entry.value());
    adjustTableHeight();
}

void FrameExport::addRow(int destination, int tableId)
{
    Row row;
    row.tableId = tableId;
    row.editCode = new QLineEdit(this);
    row.buttonSelect = new QToolButton(this);
    row.buttonClear = new QToolButton(this);
    row.row = ui->tableExport->rowCount();
    m_rows.insert(destination, row);
    ui->tableExport->insertRow(row.row);

    QTableWidgetItem* label = fixedItem(destinationLabel(destination));
    label->setBackground(windowBrush());
    ui->tableExport->setItem(row.row, ColumnLabel, label);

    row.editCode->setValidator(new QIntValidator(0, 999999, this));
    row.editCode->setProperty(destinationProperty, destination);
    connect(row.editCode, &QLineEdit::editingFinished, this, &FrameExport::slotEntered);
    ui->tableExport->setCellWidget(row.row, ColumnCode, row.editCode);

    row.buttonSelect->setText("...");
    row.buttonSelect->setProperty(destinationProperty, destination);
    connect(row.buttonSelect, &QToolButton::clicked, this, &FrameExport::slotSelect);
    ui->tableExport->setCellWidget(row.row, ColumnSelect, row.buttonSelect);

    row.buttonClear->setText(QString(QChar(0x232B)));
    row.buttonClear->setProperty(destinationProperty, destination);
    connect(row.buttonClear, &QToolButton::clicked, this, &FrameExport::slotClear);
    ui->tableExport->setCellWidget(row.row, ColumnClear, row.buttonClear);

    ui->tableExport->setItem(row.row, ColumnName, fixedItem(QString()));
}

void FrameExport::adjustTableHeight()
{
    QTableWidget* table = ui->tableExport;
    table->resizeColumnsToContents();
    table->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    int height = table->horizontalScrollBar()->height();
    for (int row = 0; row < table->rowCount(); ++row)
        height += table->rowHeight(row) + 1;
    table->setMinimumHeight(height);
    table->setMaximumHeight(height);
}

bool FrameExport::setCode(int destination, int code)
{
    const auto found = m_rows.constFind(destination);
    if (found == m_rows.constEnd())
        return false;
    found->editCode->setText(QString::number(code));
    emit found->editCode->editingFinished();
    return true;
}

bool FrameExport::readCode(int destination, int* code) const
{
    const auto found = m_rows.constFind(destination);
    if (found == m_rows.constEnd())
        return false;
    const QString text = found->editCode->text().trimmed();
    if (text.isEmpty()) {
        *code = NoValue;
        return true;
    }
    bool isNumber = false;
    const int number = text.toInt(&isNumber);
    if (!isNumber)
        return false;
    *code = number;
    return true;
}

bool FrameExport::setStoredCodes(const QSqlRecord& row)
{
    bool shown = false;
    for (const auto& [destination, column] : {std::pair{ExportEpsg, "epsg"}, std::pair{ExportMapInfo, "mapinfo"}}) {
        const QString text = row.value(column).toString();
        if (!text.isEmpty() && setCode(destination, text.toInt()))
            shown = true;
    }
    return shown;
}

int FrameExport::code(int destination) const
{
    int value = NoValue;
    return readCode(destination, &value) ? value : NoValue;
}

FrameExport::Row FrameExport::row(int destination) const
{
    return m_rows.value(destination);
}

void FrameExport::clear()
{
    for (const Row& row : m_rows)
        row.editCode->clear();
    for (int row = 0; row < ui->tableExport->rowCount(); ++row) {
        if (QTableWidgetItem* name = ui->tableExport->item(row, ColumnName))
            name->setText(QString());
    }
}

QString FrameExport::destinationLabel(int destination)
{
    switch (destination) {
    case ExportEpsg:
        return QStringLiteral("GeoTIFF (EPSG)");
    case ExportMapInfo:
        return QStringLiteral("MapInfo");
    default:
        return QString();
    }
}

const FrameExport::Row* FrameExport::senderRow() const
{
    const QObject* source = sender();
    if (!source)
        return nullptr;
    const auto found = m_rows.constFind(source->property(destinationProperty).toInt());
    return found == m_rows.constEnd() ? nullptr : &found.value();
}

void FrameExport::showName(const Row& row, const QString& name)
{
    if (QTableWidgetItem* item = ui->tableExport->item(row.row, ColumnName))
        item->setText(name);
}

void FrameExport::slotSelect()
{
    const Row* row = senderRow();
    if (!row)
        return;
    const int chosen = DialogDatabaseSelector::selectCode(row->tableId, false, row->editCode->text().trimmed().toInt());
    if (chosen == NoValue)
        return;
    row->editCode->setText(QString::number(chosen));
    showName(*row, lookUpName(row->tableId, chosen));
}

void FrameExport::slotEntered()
{
    if (const Row* row = senderRow()) {
        const QString text = row->editCode->text().trimmed();
        bool isNumber = false;
        const int number = text.toInt(&isNumber);
        showName(*row, isNumber ? lookUpName(row->tableId, number) : QString());
    }
    ui->tableExport->resizeColumnsToContents();
}

void FrameExport::slotClear()
{
    if (const Row* row = senderRow()) {
        row->editCode->clear();
        showName(*row, QString());
    }
    ui->tableExport->resizeColumnsToContents();
}

#include "dialogdatabaseselector.h"
#include "ui_dialogdatabaseselector.h"

#include "browser/editorregistry.h"
#include "browser/opendatabase.h"
#include "browser/prompt.h"
#include "database/databaseerror.h"
#include "database/novalue.h"
#include "database/numbers.h"
#include "database/tablecatalogue.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QRegExp>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlRecord>

namespace {

const QString maskToolTip = QStringLiteral(
    "?\t- один произвольный символ\n*\t- любое количество произвольных символов\n[...]\t- один из символов в скобках");

// The search field shows this many characters at least.
const int searchFieldChars = 30;

} // namespace

DialogDatabaseSelector::DialogDatabaseSelector(int tableId, int mode)
    : QDialog(nullptr)
    , m_mode(mode)
    , m_tableId(tableId)
    , m_tableName(tableName(tableId))
    , ui(new Ui::DialogDatabaseSelector)
    , m_settings(QCoreApplication::organizationName(), QCoreApplication::applicationName())
{
    ui->setupUi(this);
    setWindowTitle(tableTitle(tableId));
    ui->buttonSearchDown->setText(QString(QChar(0x25BC)));
    ui->buttonSearchUp->setText(QString(QChar(0x25B2)));
    ui->radioSearchSubstring->setChecked(true);
    ui->checkboxSearchCaseSensitive->setChecked(false);
    ui->editSearchMask->setMinimumWidth(searchFieldChars * ui->editSearchMask->fontMetrics().averageCharWidth());
    ui->splitterSearch->setStretchFactor(0, 1);
    ui->editSearchMask->installEventFilter(this);
    setupButtons();

    connect(ui->buttonSearchDown, &QToolButton::clicked, this, &DialogDatabaseSelector::slotSearchDown);
    connect(ui->buttonSearchUp, &QToolButton::clicked, this, &DialogDatabaseSelector::slotSearchUp);
    connect(ui->buttonSelect, &QPushButton::clicked, this, &DialogDatabaseSelector::slotSelect);
    connect(ui->buttonDetails, &QPushButton::clicked, this, &DialogDatabaseSelector::slotDetails);
    connect(ui->buttonCreate, &QPushButton::clicked, this, &DialogDatabaseSelector::slotCreate);
    connect(ui->buttonEdit, &QPushButton::clicked, this, &DialogDatabaseSelector::slotEdit);
    connect(ui->buttonDuplicate, &QPushButton::clicked, this, &DialogDatabaseSelector::slotDuplicate);
    connect(ui->buttonDelete, &QPushButton::clicked, this, &DialogDatabaseSelector::slotDelete);
    connect(ui->buttonExport, &QPushButton::clicked, this, &DialogDatabaseSelector::slotExport);
    connect(ui->buttonImport, &QPushButton::clicked, this, &DialogDatabaseSelector::slotImport);
    connect(ui->buttonClose, &QPushButton::clicked, this, &DialogDatabaseSelector::slotClose);
    connect(ui->buttonCancel, &QPushButton::clicked, this, &DialogDatabaseSelector::slotCancel);
    connect(ui->checkboxSearchByName, &QCheckBox::stateChanged, this,
            &DialogDatabaseSelector::slotSearchByNameStateChanged);
    connect(ui->checkboxSearchByDescription, &QCheckBox::stateChanged, this,
            &DialogDatabaseSelector::slotSearchByDescriptionStateChanged);
}

DialogDatabaseSelector::~DialogDatabaseSelector()
{
    ui->editSearchMask->removeEventFilter(this);
    delete ui;
}

void DialogDatabaseSelector::browse(int tableId, bool flag, int key)
{
    if (!requireOpenDatabase(nullptr))
        return;
    DialogDatabaseSelector dialog(tableId, SelectorBrowse);
    Q_UNUSED(flag)
    dialog.load();
    dialog.preselect(key);
    dialog.exec();
}

int DialogDatabaseSelector::selectCode(int tableId, bool flag, int key)
{
    if (!requireOpenDatabase(nullptr))
        return NoValue;
    DialogDatabaseSelector dialog(tableId, SelectorSelect);
    Q_UNUSED(flag)
    dialog.load();
    dialog.preselect(key);
    if (dialog.exec() != QDialog::Accepted)
        return NoValue;
    const int code = dialog.currentCode();
    if (code != NoValue)
        touchLastUse(tableId, code);
    return code;
}

QString DialogDatabaseSelector::queryText() const
{
    return QString("SELECT %1, name, description FROM %2 ORDER BY name;").arg(keyColumnName(m_tableId), m_tableName);
}

bool DialogDatabaseSelector::load()
{
    m_model.setQuery(queryText(), QSqlDatabase::database(QSqlDatabase::defaultConnection, false));
    m_model.setHeaderData(0, Qt::Horizontal, QString());
    m_model.setHeaderData(1, Qt::Horizontal, QStringLiteral("Название"));
    m_model.setHeaderData(2, Qt::Horizontal, QStringLiteral("Описание"));
    const QSqlError error = m_model.lastError();
    const bool loaded = !error.isValid();
    if (loaded) {
        ui->tableView->setModel(&m_model);
        ui->tableView->hideColumn(0);
        ui->tableView->resizeColumnsToContents();
        ui->tableView->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    } else {
        prompt().warning(nullptr, QStringLiteral("Предупреждение"),
                         QStringLiteral("Ошибка чтения базы данных:\n") + databaseErrorText(error));
    }
    setupSearchBoxes();
    return loaded;
}

int DialogDatabaseSelector::currentCode() const
{
    const QModelIndex current = ui->tableView->currentIndex();
    return current.isValid() ? codeAtRow(current.row()) : NoValue;
}

int DialogDatabaseSelector::nextCode() const
{
    const QModelIndex current = ui->tableView->currentIndex();
    if (!current.isValid() || current.row() + 1 >= m_model.rowCount())
        return NoValue;
    return codeAtRow(current.row() + 1);
}

int DialogDatabaseSelector::previousCode() const
{
    const QModelIndex current = ui->tableView->currentIndex();
    if (!current.isValid() || current.row() == 0)
        return NoValue;
    return codeAtRow(current.row() - 1);
}

bool DialogDatabaseSelector::selectRowByCode(int key)
{
    if (key == NoValue)
        return false;
    fetchAllRows();
    for (int row = 0; row < m_model.rowCount(); ++row) {
        if (codeAtRow(row) == key) {
            ui->tableView->setCurrentIndex(m_model.index(row, 1));
            ui->tableView->scrollTo(m_model.index(row, 1));
            return true;
        }
    }
    return false;
}

bool DialogDatabaseSelector::searchDown(const QString& pattern)
{
    return search(pattern, true);
}

bool DialogDatabaseSelector::searchUp(const QString& pattern)
{
    return search(pattern, false);
}

bool DialogDatabaseSelector::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && watched == ui->editSearchMask) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            slotSearchDown();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void DialogDatabaseSelector::slotSearchDown()
{
    searchDown(ui->editSearchMask->text());
}

void DialogDatabaseSelector::slotSearchUp()
{
    searchUp(ui->editSearchMask->text());
}

void DialogDatabaseSelector::slotSelect()
{
    accept();
}

void DialogDatabaseSelector::slotDetails()
{
    runCommand(Command::Details);
}

void DialogDatabaseSelector::slotCreate()
{
    runCommand(Command::Create);
}

void DialogDatabaseSelector::slotEdit()
{
    runCommand(Command::Edit);
}

void DialogDatabaseSelector::slotDuplicate()
{
    runCommand(Command::Duplicate);
}

void DialogDatabaseSelector::slotDelete()
{
    runCommand(Command::Delete);
}

void DialogDatabaseSelector::slotExport()
{
    runCommand(Command::Export);
}

void DialogDatabaseSelector::slotImport()
{
    runCommand(Command::Import);
}

void DialogDatabaseSelector::slotClose()
{
    reject();
}

void DialogDatabaseSelector::slotCancel()
{
    reject();
}

void DialogDatabaseSelector::slotSearchByNameStateChanged(int)
{
    if (!ui->checkboxSearchByName->isChecked() && ui->checkboxSearchByDescription->isEnabled())
        ui->checkboxSearchByDescription->setChecked(true);
}

void DialogDatabaseSelector::slotSearchByDescriptionStateChanged(int)
{
    if (!ui->checkboxSearchByDescription->isChecked() && ui->checkboxSearchByName->isEnabled())
        ui->checkboxSearchByName->setChecked(true);
}

void DialogDatabaseSelector::setupButtons()
{
    const bool browsing = m_mode == SelectorBrowse;
    ui->buttonSelect->setVisible(!browsing);
    ui->buttonCancel->setVisible(!browsing);
    ui->buttonClose->setVisible(browsing);
    ui->radioSearchMask->setToolTip(maskToolTip);
    const bool records = !isCodeKeyed(m_tableId);
    const CEditorOperations editor = EditorRegistry::get(m_tableId);
    ui->buttonCreate->setVisible(records && editor.create);
    ui->buttonEdit->setVisible(bool(editor.edit));
    ui->buttonDuplicate->setVisible(records);
    ui->buttonDelete->setVisible(records && editor.erase);
    ui->buttonExport->setVisible(records);
    ui->buttonImport->setVisible(records);
}

void DialogDatabaseSelector::setupSearchBoxes()
{
    const QSqlRecord record = m_model.record();
    const bool hasName = record.indexOf(QStringLiteral("name")) >= 0;
    const bool hasDescription = record.indexOf(QStringLiteral("description")) >= 0;
    if (!hasName)
        ui->checkboxSearchByName->setChecked(false);
    ui->checkboxSearchByName->setEnabled(hasName);
    if (!hasDescription)
        ui->checkboxSearchByDescription->setChecked(false);
    ui->checkboxSearchByDescription->setEnabled(hasDescription);
    ui->frameSearch->setEnabled(hasName || hasDescription);
}

void DialogDatabaseSelector::preselect(int key)
{
    if (selectRowByCode(key))
        return;
    const int lastUsed = lastUsedKey(m_tableId);
    if (lastUsed != NoValue) {
        selectRowByCode(lastUsed);
        return;
    }
    selectRowByCode(maxKey(m_tableId));
}

int DialogDatabaseSelector::codeAtRow(int row) const
{
    return variantToInt(m_model.data(m_model.index(row, 0)), NoValue);
}

void DialogDatabaseSelector::fetchAllRows()
{
    while (m_model.canFetchMore())
        m_model.fetchMore();
}

bool DialogDatabaseSelector::search(const QString& pattern, bool forward)
{
    const QString trimmed = pattern.trimmed();
    if (trimmed.isEmpty())
        return false;
    const QSqlRecord record = m_model.record();
    QList<int> columns;
    const int nameColumn = record.indexOf(QStringLiteral("name"));
    if (nameColumn >= 0 && ui->checkboxSearchByName->isChecked())
        columns.append(nameColumn);
    const int descriptionColumn = record.indexOf(QStringLiteral("description"));
    if (descriptionColumn >= 0 && ui->checkboxSearchByDescription->isChecked())
        columns.append(descriptionColumn);
    const std::function<bool(const QString&)> matches = matcher(trimmed);
    if (columns.isEmpty() || !matches)
        return false;

    fetchAllRows();
    const int rows = m_model.rowCount();
    const QModelIndex current = ui->tableView->currentIndex();
    const int step = forward ? 1 : -1;
    int row = current.isValid() ? current.row() + step : (forward ? 0 : rows - 1);
    for (; row >= 0 && row < rows; row += step) {
        if (rowMatches(row, columns, matches)) {
            ui->tableView->setCurrentIndex(m_model.index(row, 1));
            ui->tableView->scrollTo(m_model.index(row, 1));
            return true;
        }
    }
    return false;
}

bool DialogDatabaseSelector::rowMatches(int row, const QList<int>& columns,
                                        const std::function<bool(const QString&)>& matches) const
{
    const bool caseSensitive = ui->checkboxSearchCaseSensitive->isChecked();
    for (int column : columns) {
        const QString text = m_model.data(m_model.index(row, column)).toString().trimmed();
        if (matches(caseSensitive ? text : text.toLower()))
            return true;
    }
    return false;
}

std::function<bool(const QString&)> DialogDatabaseSelector::matcher(const QString& pattern) const
{
    const QString wanted = ui->checkboxSearchCaseSensitive->isChecked() ? pattern : pattern.toLower();
    if (ui->radioSearchSubstring->isChecked())
        return [wanted](const QString& text) { return text.contains(wanted); };
    if (ui->radioSearchMask->isChecked()) {
        const QRegExp mask(wanted, Qt::CaseSensitive, QRegExp::Wildcard);
        return [mask](const QString& text) { return mask.exactMatch(text); };
    }
    if (ui->radioSearchEqual->isChecked())
        return [wanted](const QString& text) { return text == wanted; };
    return nullptr;
}

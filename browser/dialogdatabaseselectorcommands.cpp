// The record commands of the selector: details, create, edit, duplicate, delete, and the
// export and import of one record.
#include "dialogdatabaseselector.h"

#include "browser/dialoginfoviewer.h"
#include "browser/editorregistry.h"
#include "browser/prompt.h"
#include "browser/recordexchange.h"
#include "browser/recordkind.h"
#include "database/novalue.h"
#include "database/tablecatalogue.h"
#include "database/textdecoding.h"
#include "records/coordsysdetails.h"
#include "records/coordsysstorage.h"
#include "records/detailsdocument.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString lastFolderKey = QStringLiteral("/Settings/LastExpImpPath");
const QString xmlFilter = QStringLiteral("XML файлы (*.xml);;Все файлы (*.*)");
const QString xmlSuffix = QStringLiteral("xml");
const QString warningTitle = QStringLiteral("Предупреждение");
const QString failedTitle = QStringLiteral("Failed!");

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

// The first line, followed by the reason on the next when there is one.
QString withReason(const QString& text, const QString& reason)
{
    return reason.isEmpty() ? text : text + QLatin1Char('\n') + reason;
}

// The coordinate system of a WKT text; null with the reason when the text gives none.
std::shared_ptr<CCoordSysDetails> readWktSystem(const QString& text, QString& reason)
{
    auto system = std::make_shared<CCoordSysDetails>();
    try {
        if (system->fromWktText(text, &reason))
            return system;
    } catch (const std::exception& error) {
        reason = QString::fromStdString(error.what());
    }
    return nullptr;
}

bool isWktFile(const QString& path)
{
    return QFileInfo(path).suffix().compare(QStringLiteral("wkt"), Qt::CaseInsensitive) == 0;
}

// A stored kind: one the table reads and stores.
const CRecordKind* storedKind(int tableId)
{
    const CRecordKind* kind = recordKind(tableId);
    return kind && kind->insert ? kind : nullptr;
}

} // namespace

void DialogDatabaseSelector::runCommand(Command command)
{
    guardSlot(this, [this, command] {
        switch (command) {
        case Command::Details:
            return showDetails();
        case Command::Create:
            return createRecord();
        case Command::Edit:
            return editRecord();
        case Command::Duplicate:
            return duplicateRecord();
        case Command::Delete:
            return deleteRecord();
        case Command::Export:
            return exportRecord(currentCode());
        case Command::Import:
            return importRecord();
        }
    });
    // An export stamps the record whatever became of the file.
    if (command == Command::Export && currentCode() != NoValue)
        touchLastUse(m_tableId, currentCode());
}

void DialogDatabaseSelector::showDetails()
{
    const CRecordKind* kind = recordKind(m_tableId);
    const int key = currentCode();
    const std::unique_ptr<CAbstractDetails> record = kind ? kind->make() : nullptr;
    if (!record || key == NoValue || !kind->read(key, *record)) {
        prompt().warning(this, warningTitle, QStringLiteral("Ошибка чтения данных"));
        return;
    }
    DialogInfoViewer::execute(record.get());
}

void DialogDatabaseSelector::createRecord()
{
    const CEditorOperations editor = EditorRegistry::get(m_tableId);
    if (!editor.create)
        return;
    const int key = editor.create();
    if (key != NoValue)
        showStored(key);
}

void DialogDatabaseSelector::editRecord()
{
    const CEditorOperations editor = EditorRegistry::get(m_tableId);
    const int key = currentCode();
    // An editor opened without a record would save a new one.
    if (!editor.edit || key == NoValue)
        return;
    const bool saved = editor.edit(key);
    load();
    selectRowByCode(key);
    if (saved)
        touchLastUse(m_tableId, key);
}

void DialogDatabaseSelector::duplicateRecord()
{
    const CRecordKind* kind = storedKind(m_tableId);
    const int key = currentCode();
    const std::unique_ptr<CAbstractDetails> record = kind ? kind->make() : nullptr;
    QString reason;
    // The copy is stored under the record's name moved on to its next free "[n]" form.
    const int copy = record && key != NoValue && kind->read(key, *record) ? kind->insert(*record, true, &reason) : NoValue;
    if (copy == NoValue) {
        prompt().warning(this, failedTitle, withReason(QStringLiteral("Duplicate"), reason));
        return;
    }
    showStored(copy);
}

void DialogDatabaseSelector::deleteRecord()
{
    const CEditorOperations editor = EditorRegistry::get(m_tableId);
    const int key = currentCode();
    if (!editor.erase || key == NoValue)
        return;
    if (prompt().question(nullptr, QStringLiteral("Подтверждение"), QStringLiteral("Удалить?"),
                          QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    const int next = nextCode();
    const int neighbour = next != NoValue ? next : previousCode();
    // A refused erase has shown the dependents itself; the record stays current.
    const bool erased = editor.erase(key);
    load();
    selectRowByCode(erased ? neighbour : key);
}

void DialogDatabaseSelector::exportRecord(int key)
{
    const CRecordKind* kind = storedKind(m_tableId);
    if (!kind)
        return;
    const std::unique_ptr<CAbstractDetails> record = kind->make();
    if (key == NoValue || !kind->read(key, *record)) {
        prompt().warning(this, warningTitle, QStringLiteral("Ошибка при экспорте в XML"));
        return;
    }
    if (detailsDocument(*record, record->kindName()).isNull())
        return;
    const QString folder = lastExchangeFolder();
    const QString proposed = recordFileName(*record, xmlSuffix);
    const QString path = prompt().getSaveFileName(this, QStringLiteral("Экспорт преобразования"),
                                                  folder.isEmpty() ? proposed : QDir(folder).filePath(proposed),
                                                  xmlFilter, xmlSuffix);
    if (path.isEmpty())
        return;
    QString reason;
    if (!writeDetailsDocument(path, *record, record->kindName(), &reason)) {
        prompt().warning(this, warningTitle, withReason(QStringLiteral("Ошибка при экспорте в XML"), reason));
        return;
    }
    rememberExchangeFolder(path);
}

void DialogDatabaseSelector::importRecord()
{
    const CRecordKind* kind = storedKind(m_tableId);
    if (!kind)
        return;
    const QString path = prompt().getOpenFileName(this, kind->importTitle, lastExchangeFolder(), xmlFilter, xmlSuffix);
    if (path.isEmpty())
        return;
    const int key = m_tableId == TableCoordSys && isWktFile(path) ? importWkt(path) : importXml(path, *kind);
    if (key != NoValue)
        showStored(key);
}

int DialogDatabaseSelector::importXml(const QString& path, const CRecordKind& kind)
{
    const QString tag = kind.make()->kindName();
    QList<QDomElement> elements;
    QString reason;
    if (!readDetailsElements(path, tag, elements, &reason)) {
        prompt().warning(this, QStringLiteral("Ошибка чтения XML"), reason);
        return NoValue;
    }
    rememberExchangeFolder(path);
    int key = NoValue;
    bool matched = false;
    for (const QDomElement& element : elements) {
        const std::unique_ptr<CAbstractDetails> record = kind.make();
        QString fault;
        if (!record->readXml(element, fault)) {
            matched = true;
            prompt().warning(this, failedTitle, withReason(shown(path), fault));
            continue;
        }
        if (!kind.belongs(*record))
            continue;
        matched = true;
        const int stored = kind.insert(*record, false, &reason);
        if (stored == NoValue)
            prompt().warning(this, failedTitle, withReason(shown(path), reason));
        else
            key = stored;
    }
    if (!matched)
        prompt().warning(this, QStringLiteral("Ошибка импорта XML"),
                         QString("В файле \"%1\" нет записи для таблицы \"%2\"").arg(shown(path), tableTitle(m_tableId)));
    return key;
}

int DialogDatabaseSelector::importWkt(const QString& path)
{
    QString text;
    QString reason;
    if (!readTextFile(path, text, &reason)) {
        prompt().warning(this, QStringLiteral("Ошибка при открытии файла"), reason);
        return NoValue;
    }
    const std::shared_ptr<CCoordSysDetails> system = readWktSystem(text, reason);
    if (!system) {
        prompt().warning(this, QStringLiteral("Ошибка импорта WKT"), withReason(shown(path), reason));
        return NoValue;
    }
    const int key = insertCoordSysDetails(*system, false, nullptr, &reason);
    if (key == NoValue) {
        prompt().warning(this, failedTitle, withReason(shown(path), reason));
        return NoValue;
    }
    rememberExchangeFolder(path);
    prompt().warning(this, QStringLiteral("Success!"), system->name);
    return key;
}

void DialogDatabaseSelector::showStored(int key)
{
    load();
    selectRowByCode(key);
    touchLastUse(m_tableId, key);
}

QString DialogDatabaseSelector::lastExchangeFolder() const
{
    return m_settings.value(lastFolderKey, QString()).toString();
}

void DialogDatabaseSelector::rememberExchangeFolder(const QString& path)
{
    m_settings.setValue(lastFolderKey, QFileInfo(path).absolutePath());
}

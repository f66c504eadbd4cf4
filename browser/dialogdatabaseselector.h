#pragma once

#include <QDialog>
#include <QSettings>
#include <QSqlQueryModel>
#include <QString>

#include <functional>

namespace Ui {
class DialogDatabaseSelector;
}

struct CRecordKind;

enum SelectorMode {
    SelectorBrowse = 1,
    SelectorSelect = 2
};

// Lists the rows of one definitions table, searches them by name and description, and lets
// the user look at the table (browse) or choose one of its rows (select).
class DialogDatabaseSelector : public QDialog
{
    Q_OBJECT

public:
    // The commands on the records of the listed table.
    enum class Command { Details, Create, Edit, Duplicate, Delete, Export, Import };

    DialogDatabaseSelector(int tableId, int mode);
    ~DialogDatabaseSelector() override;

    // The flag is not used; every caller passes false.
    static void browse(int tableId, bool flag, int key);
    // The key of the chosen row, its last_use stamped; NoValue when cancelled or none chosen.
    static int selectCode(int tableId, bool flag, int key);

    QString queryText() const;
    bool load();
    int currentCode() const;
    int nextCode() const;
    int previousCode() const;
    bool selectRowByCode(int key);
    bool searchDown(const QString& pattern);
    bool searchUp(const QString& pattern);

protected:
    // Enter in the search field searches onward instead of choosing the highlighted row.
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void slotSearchDown();
    void slotSearchUp();
    void slotSelect();
    void slotDetails();
    void slotCreate();
    void slotEdit();
    void slotDuplicate();
    void slotDelete();
    void slotExport();
    void slotImport();
    void slotClose();
    void slotCancel();
    void slotSearchByNameStateChanged(int state);
    void slotSearchByDescriptionStateChanged(int state);

private:
    void setupButtons();
    void setupSearchBoxes();
    void preselect(int key);
    int codeAtRow(int row) const;
    void fetchAllRows();
    bool search(const QString& pattern, bool forward);
    bool rowMatches(int row, const QList<int>& columns, const std::function<bool(const QString&)>& matches) const;
    std::function<bool(const QString&)> matcher(const QString& pattern) const;
    // Runs a record command (in dialogdatabaseselectorcommands.cpp); an exception is reported.
    void runCommand(Command command);
    void showDetails();
    void createRecord();
    void editRecord();
    void duplicateRecord();
    void deleteRecord();
    void exportRecord(int key);
    void importRecord();
    // The key of the stored (or equal found) record; NoValue, with the user told why, for none.
    int importXml(const QString& path, const CRecordKind& kind);
    int importWkt(const QString& path);
    // Reloads the list, selects the key and stamps its last_use.
    void showStored(int key);
    QString lastExchangeFolder() const;
    void rememberExchangeFolder(const QString& path);

    QSqlQueryModel m_model;
    const int m_mode;
    const int m_tableId;
    const QString m_tableName;
    Ui::DialogDatabaseSelector* ui;
    QSettings m_settings;
};

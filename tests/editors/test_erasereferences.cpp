#include "editorfixture.h"

#include "app/editors.h"
#include "browser/editorregistry.h"
#include "database/schema.h"
#include "database/tablecatalogue.h"

#include <QSqlQuery>
#include <QTest>

namespace {

// A column that the schema declares to refer to the key of another table.
struct CReference {
    QString table;
    QString column;
    QString referenced;
};

// Rows deleted with the record they belong to: the erase of that record takes them along.
const QStringList kOwnedRows{QStringLiteral("mapprojparamvalue.map_proj")};

QVector<CReference> referencesOf(const QString& table)
{
    QVector<CReference> references;
    QSqlQuery query;
    query.exec(QStringLiteral("PRAGMA foreign_key_list(%1);").arg(table));
    while (query.next())
        references.append({table, query.value("from").toString(), query.value("table").toString()});
    return references;
}

// Every reference that the tables of a new database declare. The database is open on the
// default connection only while they are read.
QVector<CReference> declaredReferences()
{
    const CTestDatabase database;
    if (!database.isOpen())
        return {};
    QVector<CReference> references;
    for (const QVariant& table :
         CTestDatabase::column(QStringLiteral("SELECT name FROM sqlite_master WHERE type='table' ORDER BY name;")))
        references += referencesOf(table.toString());
    return references;
}

int tableIdOf(const QString& name)
{
    for (const CTableSchema& table : databaseSchema()) {
        if (tableName(table.table) == name)
            return table.table;
    }
    return 0;
}

int keyOfAnyRow(const QString& table);

// A new row with the given columns and every other NOT NULL column and the name filled: a
// reference with a row of its table, a text with the label, a number with 1. Its key.
int makeRow(const QString& table, QVariantMap columns, const QString& label)
{
    QMap<QString, QString> references;
    for (const CReference& reference : referencesOf(table))
        references[reference.column] = reference.referenced;
    QSqlQuery info;
    info.exec(QStringLiteral("PRAGMA table_info(%1);").arg(table));
    while (info.next()) {
        const QString column = info.value("name").toString();
        const bool filled = info.value("notnull").toInt() != 0 || column == QLatin1String("name");
        if (info.value("pk").toInt() != 0 || !filled || columns.contains(column))
            continue;
        if (references.contains(column))
            columns[column] = keyOfAnyRow(references[column]);
        else if (info.value("type").toString().startsWith(QLatin1String("VARCHAR")))
            columns[column] = label;
        else
            columns[column] = 1;
    }
    return insertRow(table, columns);
}

// The key of the table's first row; a row is made when there is none.
int keyOfAnyRow(const QString& table)
{
    const QVariant key = CTestDatabase::value(
        QStringLiteral("SELECT %1 FROM %2 ORDER BY 1 LIMIT 1;").arg(keyColumnName(tableIdOf(table)), table));
    return key.isValid() ? key.toInt() : makeRow(table, {}, table);
}

int rowsWith(const QString& table, const QString& column, int key)
{
    return CTestDatabase::value(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2=?;").arg(table, column), {key}).toInt();
}

// Each row whose declared reference finds no row, as "table -> referenced table".
QStringList danglingReferences()
{
    QStringList dangling;
    QSqlQuery query;
    query.exec(QStringLiteral("PRAGMA foreign_key_check;"));
    while (query.next())
        dangling.append(query.value(0).toString() + " -> " + query.value(2).toString());
    return dangling;
}

// True when one of the "kind|name" rows names the record.
bool listsName(const QStringList& rows, const QString& name)
{
    for (const QString& row : rows) {
        if (row.section(QLatin1Char('|'), 1) == name)
            return true;
    }
    return false;
}

} // namespace

class TestEraseReferences : public CEditorTestCase
{
    Q_OBJECT

private slots:
    void initTestCase();

    void eraseKeepsEveryDeclaredReference_data();
    void eraseKeepsEveryDeclaredReference();
};

void TestEraseReferences::initTestCase()
{
    registerEditors();
}

void TestEraseReferences::eraseKeepsEveryDeclaredReference_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("referenced");
    const QVector<CReference> references = declaredReferences();
    QVERIFY(!references.isEmpty());
    for (const CReference& reference : references)
        QTest::addRow("%s.%s", qPrintable(reference.table), qPrintable(reference.column))
            << reference.table << reference.column << reference.referenced;
}

// A record used through any declared reference is not erased: the erase lists the user and
// keeps the record. A row the record owns goes with it instead. Either way no key is left
// pointing at nothing.
void TestEraseReferences::eraseKeepsEveryDeclaredReference()
{
    QFETCH(QString, table);
    QFETCH(QString, column);
    QFETCH(QString, referenced);
    const int referencedId = tableIdOf(referenced);
    QVERIFY(referencedId != 0);
    const CEditorOperations operations = EditorRegistry::get(referencedId);
    if (!operations.erase)
        QSKIP("The referenced kind has no erase of its own");

    const int key = makeRow(referenced, {}, referenced);
    QVERIFY(key != 0);
    const QString user = table + "." + column;
    QVERIFY(makeRow(table, {{column, key}}, user) != 0);
    QStringList shown;
    bool erased = false;
    {
        const CModalWatch watch = captureDependencies(shown);
        erased = operations.erase(key);
    }
    const int left = rowsWith(referenced, keyColumnName(referencedId), key);
    if (kOwnedRows.contains(user)) {
        QVERIFY(erased);
        QCOMPARE(left, 0);
        QCOMPARE(rowsWith(table, column, key), 0);
    } else {
        QVERIFY2(!erased, qPrintable(user + " does not keep the record"));
        QCOMPARE(left, 1);
        QVERIFY2(listsName(shown, user), qPrintable(shown.join('\n')));
    }
    QCOMPARE(danglingReferences(), QStringList());
}

QTEST_MAIN(TestEraseReferences)
#include "test_erasereferences.moc"

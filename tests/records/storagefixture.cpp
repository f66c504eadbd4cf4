#include "storagefixture.h"

#include "recordfixtures.h"

#include "database/codetablesaxes.h"
#include "database/schema.h"
#include "database/tablecatalogue.h"

#include <QtTest>

void CStorageTestCase::init()
{
    m_database = std::make_unique<CTestDatabase>();
    QVERIFY(m_database->isOpen());
}

void CStorageTestCase::cleanup()
{
    QVERIFY(!CTestDatabase::inTransaction());
    m_database.reset();
}

QMap<QString, int> rowCounts()
{
    QMap<QString, int> counts;
    for (const CTableSchema& table : databaseSchema()) {
        const QString name = tableName(table.table);
        counts[name] = CTestDatabase::value(QString("SELECT COUNT(*) FROM %1;").arg(name)).toInt();
    }
    return counts;
}

bool injectFailure(int tableId, const QString& event, const QString& condition)
{
    const QString table = tableName(tableId);
    const QString when = condition.isEmpty() ? QString() : QStringLiteral(" WHEN ") + condition;
    return CTestDatabase::exec(QString("CREATE TRIGGER fail_%1_%2 BEFORE %2 ON %1 FOR EACH ROW%3 "
                                       "BEGIN SELECT RAISE(ABORT, 'injected'); END;")
                                   .arg(table, event, when));
}

void verifyInsertFails(const std::function<int(QString*)>& insert, int failingTable, const QString& condition)
{
    if (failingTable != 0)
        QVERIFY(injectFailure(failingTable, QStringLiteral("INSERT"), condition));
    const auto before = rowCounts();
    QString error;
    QCOMPARE(insert(&error), int(NoValue));
    QVERIFY(!error.isEmpty());
    if (failingTable != 0)
        QVERIFY2(error.contains(QStringLiteral("injected")), qPrintable(error));
    QCOMPARE(rowCounts(), before);
}

std::shared_ptr<CAngleFormatDetails> storedFormat(int code)
{
    return CAngleFormatDetails::createForCode(code);
}

std::shared_ptr<CUnitDetails> storedFormatDegree(int formatCode)
{
    auto unit = std::make_shared<CUnitDetails>(*degree());
    unit->angleFormat = storedFormat(formatCode);
    return unit;
}

QStringList awkwardNames()
{
    return {QStringLiteral("Д'Аламбер"), QStringLiteral("50% \"%1\""), QStringLiteral("a_b\\c[2]x"),
            QStringLiteral("'); DROP TABLE unitlength; --")};
}

CTransformDetails withStoredDefinitions(CTransformDetails transform)
{
    const int type = transform.typeCode;
    transform.transformType.code = type;
    transform.transformType.name = QString::fromStdString(transformTypeName(type));
    transform.transformType.description = QString::fromStdString(transformTypeDescription(type));
    for (auto param = transform.params.begin(); param != transform.params.end(); ++param) {
        const int code = param.key();
        param->code = code;
        param->name = QString::fromStdString(transformParamName(code));
        param->description = QString::fromStdString(transformParamDescription(code));
        param->shortName = QString::fromStdString(transformParamShortName(code));
        param->type = 0;
    }
    return transform;
}

CTransformListDetails withStoredDefinitions(CTransformListDetails list)
{
    for (CTransformDetails& transform : list.transforms)
        transform = withStoredDefinitions(transform);
    return list;
}

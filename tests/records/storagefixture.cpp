#include "storagefixture.h"

#include "database/codetablestypes.h"
#include "database/schema.h"
#include "database/tablecatalogue.h"

QMap<QString, int> rowCounts()
{
    QMap<QString, int> counts;
    for (const CTableSchema& table : databaseSchema()) {
        const QString name = tableName(table.table);
        counts[name] = CTestDatabase::value(QString("SELECT COUNT(*) FROM %1;").arg(name)).toInt();
    }
    return counts;
}

bool failInsertsInto(int tableId)
{
    const QString table = tableName(tableId);
    return CTestDatabase::exec(QString("CREATE TRIGGER fail_%1 BEFORE INSERT ON %1 "
                                       "BEGIN SELECT RAISE(ABORT, 'injected'); END;")
                                   .arg(table));
}

std::shared_ptr<CAngleFormatDetails> storedFormat(int code)
{
    auto format = std::make_shared<CAngleFormatDetails>();
    format->code = code;
    format->name = QString::fromStdString(angleFormatName(code));
    format->description = QString::fromStdString(angleFormatHint(code));
    format->shortName = QString::fromStdString(angleFormatShortName(code));
    format->epsgCode = angleFormatEpsgCode(code);
    return format;
}

std::shared_ptr<CUnitDetails> storedFormatDegree(int formatCode)
{
    auto unit = std::make_shared<CUnitDetails>();
    unit->scope = 2;
    unit->name = QStringLiteral("Градус");
    unit->description = QStringLiteral("Угловой градус");
    unit->factorB = QStringLiteral("3.14159265358979");
    unit->factorC = QStringLiteral("180");
    unit->epsgCode = 9122;
    unit->angleFormat = storedFormat(formatCode);
    return unit;
}

QStringList awkwardNames()
{
    return {QStringLiteral("Д'Аламбер"), QStringLiteral("50% \"%1\""), QStringLiteral("a_b\\c[2]x"),
            QStringLiteral("'); DROP TABLE unitlength; --")};
}

#include "datumshiftfixture.h"

#include "testdatabase.h"

#include "browser/framedatabasepicker.h"

#include <QLineEdit>
#include <QStringList>
#include <QWidget>

namespace {

int insertUnit(const QString& table, const QString& name, const QString& shortName, double factorB,
               double factorC, const QVariant& format = QVariant(QVariant::Int))
{
    const QString statement = QStringLiteral(
        "INSERT INTO %1 (name, short_name, factor_b, factor_c, format) VALUES (?, ?, ?, ?, ?);").arg(table);
    if (!CTestDatabase::exec(statement, {name, shortName, factorB, factorC, format}))
        return 0;
    return CTestDatabase::value(QStringLiteral("SELECT max(autokey) FROM %1;").arg(table)).toInt();
}

} // namespace

CShiftUnits insertShiftUnits()
{
    CShiftUnits units;
    units.metre = insertUnit("unitlength", "Метр", "м", 1, 1);
    units.second = insertUnit("unitangle", "Секунда", "\"", 3.14159265358979, 648000, 1);
    units.dmsDegree = insertUnit("unitangle", "Градус ГМС", "", 3.14159265358979, 180, 2);
    units.ppm = insertUnit("unitscale", "Миллионная доля", "ppm", 1, 1000000);
    return units;
}

int insertShift(const QVariantMap& columns)
{
    QStringList marks;
    for (int i = 0; i < columns.size(); ++i)
        marks.append("?");
    const QString statement = QStringLiteral("INSERT INTO datumshift (%1) VALUES (%2);")
                                  .arg(columns.keys().join(", "), marks.join(", "));
    if (!CTestDatabase::exec(statement, columns.values()))
        return 0;
    return CTestDatabase::value("SELECT max(autokey) FROM datumshift;").toInt();
}

QVariant shiftColumn(int key, const QString& column)
{
    return CTestDatabase::value(QStringLiteral("SELECT %1 FROM datumshift WHERE autokey = ?;").arg(column), {key});
}

QLineEdit* lineEdit(const QWidget* parent, const QString& name)
{
    return parent->findChild<QLineEdit*>(name);
}

void typeInto(const QWidget* parent, const QVariantMap& texts)
{
    for (auto it = texts.begin(); it != texts.end(); ++it)
        lineEdit(parent, it.key())->setText(it.value().toString());
}

void pickIn(const QWidget* parent, int picker, int key)
{
    emit parent->findChildren<FrameDatabasePicker*>().at(picker)->picked(key);
}

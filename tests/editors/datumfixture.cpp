#include "datumfixture.h"

#include "datumshiftfixture.h"
#include "transformfixture.h"

#include "browser/dialoglistselector.h"
#include "browser/framedatabasepicker.h"
#include "browser/framegeneralinfo.h"
#include "editors/datum/dialogdatumshifteditor.h"
#include "editors/datum/framedatumshiftmolodensky.h"
#include "editors/datum/framedatumshiftpairwiseparams.h"
#include "editors/transform/dialogtransformlisteditor.h"
#include "database/tablecatalogue.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {

int insertRow(const QString& statement, const QVariantList& values)
{
    if (!CTestDatabase::exec(statement, values))
        return 0;
    return CTestDatabase::value("SELECT last_insert_rowid();").toInt();
}

QVariant link(int key)
{
    return key == 0 ? QVariant(QVariant::Int) : QVariant(key);
}

} // namespace

int insertEllipsoid(const QString& name)
{
    return insertRow("INSERT INTO ellipsoid (name, a, f, use_f, sphere, unit)"
                     " VALUES (?, 6378137, 298.257223563, 1, 0, 1);",
                     {name});
}

int insertShift(const QString& name, int datum)
{
    return insertShift(
        QVariantMap{{"name", name}, {"datum", link(datum)}, {"type", 1}, {"tx", 1}, {"ty", 2}, {"tz", 3}});
}

int insertDatum(const QString& name, int ellipsoid, int shift)
{
    return insertRow("INSERT INTO datum (name, ellipsoid, datum_shift) VALUES (?, ?, ?);",
                     {name, link(ellipsoid), link(shift)});
}

int insertList(const QString& name, int owner, const QString& ownerTable, int transforms)
{
    const int list = insertRow("INSERT INTO transformlist (name, owner, owner_table, scope) VALUES (?, ?, ?, 3);",
                               {name, link(owner), ownerTable});
    for (int number = 1; list != 0 && number <= transforms; ++number) {
        const int transform = insertRow(
            "INSERT INTO transform (name, type, transform_list, number) VALUES (?, 3, ?, ?);",
            {QString("%1 %2").arg(name).arg(number), list, number});
        if (transform == 0
            || !CTestDatabase::exec("INSERT INTO transformparamvalue (param, transform, value) VALUES (7, ?, '1.5');",
                                    {transform}))
            return 0;
    }
    return list;
}

int insertCoordSys(const QString& name, int datum)
{
    return insertRow("INSERT INTO coordsys (name, type, datum) VALUES (?, 1, ?);", {name, datum});
}

QStringList names(const QString& table)
{
    QStringList result;
    for (const QVariant& name : CTestDatabase::column(QString("SELECT name FROM %1 ORDER BY name;").arg(table)))
        result.append(name.toString());
    return result;
}

QString counts()
{
    QStringList result;
    for (const char* table : {"datumshift", "datum", "transformlist", "transform", "transformparamvalue"})
        result.append(CTestDatabase::value(QString("SELECT COUNT(*) FROM %1;").arg(table)).toString());
    return result.join(' ');
}

bool failOn(const QString& table, const QString& event)
{
    return CTestDatabase::exec(
        QString("CREATE TRIGGER fail_%1_%2 BEFORE %2 ON %1 BEGIN SELECT RAISE(ABORT, 'injected'); END;")
            .arg(table, event));
}

CModalWatch chooseKind(int row)
{
    return whenModal<DialogListSelector>([row](DialogListSelector* dialog) {
        dialog->findChild<QListWidget*>()->setCurrentRow(row);
        dialog->findChild<QPushButton*>("buttonOK")->click();
    });
}

CModalWatch makeExtraShift(const QString& name, bool save)
{
    const int metre = insertShiftUnits().metre;
    return whenModal<DialogDatumShiftEditor>([name, save, metre](DialogDatumShiftEditor* dialog) {
        dialog->findChild<FrameGeneralInfo*>()->setName(name);
        for (FrameDatabasePicker* picker : dialog->findChildren<FrameDatabasePicker*>()) {
            if (picker->tableId() == TableDatumShiftType) {
                picker->setKey(1);
                emit picker->picked(1);
            }
        }
        auto* frame = dialog->findChild<FrameDatumShiftMolodensky*>();
        typeInto(frame, {{"editTx", "23.57"}, {"editTy", "-140.95"}, {"editTz", "-79.8"}});
        pickIn(frame, 0, metre);
        dialog->findChild<FrameDatumShiftPairwiseParams*>()->setPairwise(name, 0);
        dialog->findChild<QPushButton*>(save ? "buttonSave" : "buttonCancel")->click();
    });
}

CModalWatch makeExtraList(const QString& name)
{
    return whenModal<DialogTransformListEditor>([name](DialogTransformListEditor* dialog) {
        dialog->findChild<FrameGeneralInfo*>()->setName(name);
        dialog->findChild<QLineEdit*>("editID")->setText(name);
        {
            const CModalWatch transform = answerTransformEditor("T1");
            dialog->findChild<QPushButton*>("buttonAdd")->click();
        }
        dialog->findChild<QPushButton*>("buttonSave")->click();
    });
}

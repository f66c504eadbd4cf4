#include "transformfixture.h"

#include "testdatabase.h"

#include "browser/framedatabasepicker.h"
#include "browser/framegeneralinfo.h"
#include "database/novalue.h"
#include "editors/transform/dialogtransformeditor.h"
#include "editors/transform/frametransformparamsshift2d.h"

#include <QLineEdit>
#include <QPushButton>

#include <QSqlQuery>
#include <QSqlRecord>

bool CEditorTestSession::start()
{
    m_database = std::make_unique<CTestDatabase>();
    m_prompt = std::make_unique<CScriptedPrompt>();
    return m_database->isOpen();
}

bool CEditorTestSession::finish()
{
    const bool closed = !CTestDatabase::inTransaction();
    m_prompt.reset();
    m_database.reset();
    return closed;
}

CScriptedPrompt& CEditorTestSession::prompt()
{
    return *m_prompt;
}

QString CEditorTestSession::folder() const
{
    return m_database->folder();
}

int storeList(const QString& name, const QVariantList& ownerAndScope)
{
    const QVariantList values = QVariantList{name} + (ownerAndScope.isEmpty() ? QVariantList{{}, {}, {}} : ownerAndScope);
    if (!CTestDatabase::exec("INSERT INTO transformlist (name, owner, owner_table, scope, identifier) "
                             "VALUES (?, ?, ?, ?, 'id');",
                             values))
        return NoValue;
    return CTestDatabase::value("SELECT max(autokey) FROM transformlist;").toInt();
}

int storeTransform(int listKey, const QString& name, int type, const QList<QPair<int, QString>>& values)
{
    const int number = CTestDatabase::value("SELECT count(*) FROM transform WHERE transform_list = ?;", {listKey})
                           .toInt() + 1;
    if (!CTestDatabase::exec("INSERT INTO transform (name, type, transform_list, number) VALUES (?, ?, ?, ?);",
                             {name, type, listKey, number}))
        return NoValue;
    const int key = CTestDatabase::value("SELECT max(autokey) FROM transform;").toInt();
    for (const auto& value : values) {
        if (!CTestDatabase::exec("INSERT INTO transformparamvalue (transform, param, value) VALUES (?, ?, ?);",
                                 {key, value.first, value.second}))
            return NoValue;
    }
    return key;
}

int storeAffineList(const QString& name, int count)
{
    const int list = storeList(name);
    for (int i = 1; list != NoValue && i <= count; ++i) {
        const QString n = QString::number(i);
        if (storeTransform(list, "T" + n, 1, {{1, "1"}, {2, "0"}, {3, "0"}, {4, "1"}, {5, n}, {6, "-" + n}}) == NoValue)
            return NoValue;
    }
    return list;
}

QStringList transformNames(int listKey)
{
    QStringList names;
    for (const QVariant& name :
         CTestDatabase::column("SELECT name FROM transform WHERE transform_list = ? ORDER BY number;", {listKey}))
        names.append(name.toString());
    return names;
}

QVariantList transformNumbers(int listKey)
{
    return CTestDatabase::column("SELECT number FROM transform WHERE transform_list = ? ORDER BY number;", {listKey});
}

void saveShiftTransform(DialogTransformEditor* dialog, const QString& name, const QString& b1, const QString& b2)
{
    dialog->findChild<FrameGeneralInfo*>()->setName(name);
    auto* picker = dialog->findChild<FrameDatabasePicker*>();
    picker->setKey(2);
    emit picker->picked(2);
    auto* frame = dialog->findChild<FrameTransformParamsShift2D*>();
    frame->findChild<QLineEdit*>("editB1")->setText(b1);
    frame->findChild<QLineEdit*>("editB2")->setText(b2);
    dialog->findChild<QPushButton*>("buttonSave")->click();
}

CModalWatch answerTransformEditor(const QString& name)
{
    return whenModal<DialogTransformEditor>([name](DialogTransformEditor* dialog) {
        if (name.isEmpty())
            dialog->findChild<QPushButton*>("buttonCancel")->click();
        else
            saveShiftTransform(dialog, name);
    });
}

QStringList transformTablesDump()
{
    QStringList rows;
    for (const char* table : {"transformlist", "transform", "transformparamvalue"}) {
        QSqlQuery query(QString("SELECT * FROM %1 ORDER BY rowid;").arg(table));
        while (query.next()) {
            QStringList fields{table};
            for (int i = 0; i < query.record().count(); ++i)
                fields.append(query.value(i).isNull() ? "NULL" : query.value(i).toString());
            rows.append(fields.join('|'));
        }
    }
    return rows;
}

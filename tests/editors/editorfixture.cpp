#include "editorfixture.h"

#include "browser/dialogdependencies.h"
#include "browser/frameexport.h"
#include "browser/framegeneralinfo.h"
#include "database/tablecatalogue.h"

#include <QAbstractButton>
#include <QPlainTextEdit>
#include <QTest>
#include <QTreeWidget>

void CEditorTestCase::init()
{
    m_database = std::make_unique<CTestDatabase>();
    QVERIFY(m_database->isOpen());
    m_prompt = std::make_unique<CScriptedPrompt>();
    prepare();
}

void CEditorTestCase::cleanup()
{
    QVERIFY(!CTestDatabase::inTransaction());
    m_prompt.reset();
    m_database.reset();
}

QStringList CEditorTestCase::messages() const
{
    return m_prompt->messageTexts();
}

CScriptedPrompt& CEditorTestCase::scriptedPrompt()
{
    return *m_prompt;
}

bool setText(QWidget* dialog, const QString& name, const QString& text)
{
    QLineEdit* edit = lineEdit(dialog, name);
    if (!edit)
        return false;
    edit->setText(text);
    return true;
}

void setGeneralInfo(QWidget* dialog, const QString& name, const QString& shortName, const QString& description)
{
    auto* frame = dialog->findChild<FrameGeneralInfo*>();
    if (!frame)
        return;
    setText(frame, "editName", name);
    setText(frame, "editShortName", shortName);
    frame->findChild<QPlainTextEdit*>("editDescription")->setPlainText(description);
}

bool click(QWidget* dialog, const QString& buttonName)
{
    auto* button = dialog->findChild<QAbstractButton*>(buttonName);
    if (!button)
        return false;
    button->click();
    return true;
}

QLineEdit* exportCode(QWidget* dialog, int destination)
{
    auto* frame = dialog->findChild<FrameExport*>();
    return frame ? frame->row(destination).editCode : nullptr;
}

int insertUnit(int tableId, const QString& name, double factorB, double factorC, const QVariant& format,
               const QString& shortName)
{
    const QString table = tableName(tableId);
    CTestDatabase::exec(QString("INSERT INTO %1 (name, short_name, factor_b, factor_c, format) VALUES (?, ?, ?, ?, ?);")
                            .arg(table),
                        {name, shortName, factorB, factorC, format});
    return CTestDatabase::value(QString("SELECT MAX(autokey) FROM %1;").arg(table)).toInt();
}

QString valueText(const QString& statement, const QVariantList& values)
{
    return CTestDatabase::value(statement, values).toString();
}

int insertRow(const QString& table, const QVariantMap& columns)
{
    QStringList marks;
    for (int i = 0; i < columns.size(); ++i)
        marks.append("?");
    const QString statement =
        QStringLiteral("INSERT INTO %1 (%2) VALUES (%3);").arg(table, columns.keys().join(", "), marks.join(", "));
    if (!CTestDatabase::exec(statement, columns.values()))
        return 0;
    return CTestDatabase::value("SELECT last_insert_rowid();").toInt();
}

QVariant columnOf(const QString& table, const QString& keyColumn, int key, const QString& column)
{
    return CTestDatabase::value(QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?;").arg(column, table, keyColumn), {key});
}

FrameGeneralInfo* generalInfoOf(const QWidget& dialog)
{
    return dialog.findChild<FrameGeneralInfo*>();
}

QString warning(const QString& text)
{
    return "Предупреждение|" + text;
}

CModalWatch captureDependencies(QStringList& rows)
{
    return whenModal<DialogDependencies>([&rows](DialogDependencies* dialog) {
        const auto* tree = dialog->findChild<QTreeWidget*>("treeDependencies");
        for (int row = 0; tree && row < tree->topLevelItemCount(); ++row)
            rows.append(tree->topLevelItem(row)->text(0) + "|" + tree->topLevelItem(row)->text(1));
        dialog->reject();
    });
}

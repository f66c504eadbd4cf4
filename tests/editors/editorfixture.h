#pragma once

#include "datumshiftfixture.h"
#include "guitest.h"
#include "scriptedprompt.h"
#include "testdatabase.h"

#include <QLineEdit>
#include <QObject>
#include <QString>
#include <QStringList>

#include <QVariantMap>

#include <functional>
#include <memory>

class FrameGeneralInfo;

// Base of the editor tests: every test function runs on a new database with a scripted
// prompt and must leave no transaction open.
class CEditorTestCase : public QObject
{
    Q_OBJECT

protected:
    // Fills the new database of a test function before it runs.
    virtual void prepare() {}
    // The messages shown so far, each as "title|text".
    QStringList messages() const;
    CScriptedPrompt& scriptedPrompt();

private slots:
    void init();
    void cleanup();

private:
    CGuiTestEnvironment m_environment;
    std::unique_ptr<CTestDatabase> m_database;
    std::unique_ptr<CScriptedPrompt> m_prompt;
};

// Sets the text of the named line edit; false when there is none.
bool setText(QWidget* dialog, const QString& name, const QString& text);
// Fills the general information frame of the dialog; its line edits share their names with
// those of the record pickers.
void setGeneralInfo(QWidget* dialog, const QString& name, const QString& shortName = QString(),
                    const QString& description = QString());
// Clicks the named button of the dialog; false when there is none.
bool click(QWidget* dialog, const QString& buttonName);
// The export code field of the destination in the dialog's export frame; null for none.
QLineEdit* exportCode(QWidget* dialog, int destination);

// Inserts a unit row into the unit table; its key.
int insertUnit(int tableId, const QString& name, double factorB, double factorC, const QVariant& format = QVariant(),
               const QString& shortName = QString());
// The first column of the first row of the statement, as text.
QString valueText(const QString& statement, const QVariantList& values = {});
// Runs the static on the next modal dialog of the class: fill gets it, then its named button is
// clicked. Gives what the static returned.
template <class Dialog, class Result>
Result runModal(const std::function<Result()>& operation, const std::function<void(Dialog*)>& fill,
                const QString& buttonName)
{
    const CModalWatch watch = whenModal<Dialog>([fill, buttonName](Dialog* dialog) {
        fill(dialog);
        click(dialog, buttonName);
        if (dialog->isVisible())
            dialog->reject();
    });
    return operation();
}

// The rows that the next dependencies dialog lists, each as "kind|name"; the dialog is closed.
// The watch lasts while the returned object lives.
[[nodiscard]] CModalWatch captureDependencies(QStringList& rows);

// Inserts a row with the given columns into the table; its rowid, 0 on failure.
int insertRow(const QString& table, const QVariantMap& columns);
// The value of one column of the row whose key column holds the key.
QVariant columnOf(const QString& table, const QString& keyColumn, int key, const QString& column);
FrameGeneralInfo* generalInfoOf(const QWidget& dialog);

// "Предупреждение|" followed by the text.
QString warning(const QString& text);

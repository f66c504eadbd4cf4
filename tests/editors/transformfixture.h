#pragma once

#include "guitest.h"
#include "scriptedprompt.h"
#include "testdatabase.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <memory>

// A new database and a scripted prompt for one test function.
class CEditorTestSession
{
public:
    bool start();
    // Ends both; false when a transaction was left open.
    bool finish();
    CScriptedPrompt& prompt();
    QString folder() const;

private:
    std::unique_ptr<CTestDatabase> m_database;
    std::unique_ptr<CScriptedPrompt> m_prompt;
};

// Transform lists written straight into the test database.

// A list row; its key.
int storeList(const QString& name, const QVariantList& ownerAndScope = {});
// A transform at the end of the list with the values by parameter code; its key.
int storeTransform(int listKey, const QString& name, int type, const QList<QPair<int, QString>>& values);
// A list of affine transforms "T1" ... "Tn", each with its six values; the list key.
int storeAffineList(const QString& name, int count);

// The transform names of the list in number order.
QStringList transformNames(int listKey);
// The numbers of the list's transforms in number order.
QVariantList transformNumbers(int listKey);
// Names the transform of the open editor, makes it a plane shift by (b1, b2) and saves it.
void saveShiftTransform(class DialogTransformEditor* dialog, const QString& name, const QString& b1 = "1",
                        const QString& b2 = "2");
// Answers the next transform editor with saveShiftTransform, or cancels it for an empty name,
// while the watch lives.
[[nodiscard]] CModalWatch answerTransformEditor(const QString& name);

// Every row of the transform tables, one text per row, for comparing states.
QStringList transformTablesDump();

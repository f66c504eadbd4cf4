#include "editorfixture.h"

#include "testdatabase.h"

#include "browser/dialogdependencies.h"
#include "browser/framegeneralinfo.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QWidget>

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

void clickButton(const QWidget& dialog, const QString& name)
{
    dialog.findChild<QPushButton*>(name)->click();
}

FrameGeneralInfo* generalInfoOf(const QWidget& dialog)
{
    return dialog.findChild<FrameGeneralInfo*>();
}

QStringList dependenciesShownBy(const std::function<void()>& action)
{
    QStringList shown;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&shown] {
        auto* dialog = qobject_cast<DialogDependencies*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        auto* tree = dialog->findChild<QTreeWidget*>("treeDependencies");
        for (int row = 0; row < tree->topLevelItemCount(); ++row)
            shown.append(tree->topLevelItem(row)->text(0) + "|" + tree->topLevelItem(row)->text(1));
        dialog->close();
    });
    timer.start(10);
    action();
    return shown;
}

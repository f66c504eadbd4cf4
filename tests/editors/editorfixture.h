#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>

#include <functional>

class FrameGeneralInfo;
class QWidget;

// Inserts a row with the given columns into the table; its rowid, 0 on failure.
int insertRow(const QString& table, const QVariantMap& columns);
// The value of one column of the row whose key column holds the key.
QVariant columnOf(const QString& table, const QString& keyColumn, int key, const QString& column);

void clickButton(const QWidget& dialog, const QString& name);
FrameGeneralInfo* generalInfoOf(const QWidget& dialog);

// Runs the action and gives the names listed by the dependencies dialog it showed, in order;
// empty when it showed none. Each name comes as "kind|name".
QStringList dependenciesShownBy(const std::function<void()>& action);

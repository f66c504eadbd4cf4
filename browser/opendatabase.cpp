#include "opendatabase.h"

#include "prompt.h"

#include <QSqlDatabase>

bool requireOpenDatabase(QWidget* window)
{
    if (QSqlDatabase::database(QSqlDatabase::defaultConnection, false).isOpen())
        return true;
    prompt().warning(window, QStringLiteral("Ошибка"), QStringLiteral("Не открыта база данных"));
    return false;
}

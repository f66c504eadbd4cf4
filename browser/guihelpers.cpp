#include "guihelpers.h"

#include "prompt.h"

#include <QSplitter>
#include <QSqlError>
#include <QSqlQuery>

void sqlWarning(const QSqlQuery& query, const QString& message, QWidget* parent)
{
    QString text = message;
    const QSqlError error = query.lastError();
    if (error.isValid())
        text += QStringLiteral(":\n") + error.text();
    prompt().warning(parent, QStringLiteral("Предупреждение"), text);
}

void equalizeSplitter(QSplitter* splitter)
{
    if (!splitter)
        return;
    splitter->adjustSize();
    const int length = splitter->orientation() == Qt::Horizontal ? splitter->width() : splitter->height();
    const int half = length / 2;
    splitter->setSizes({half, half});
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 1);
}

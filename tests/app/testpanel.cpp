#include "testpanel.h"

#include "app/framepanel.h"

#include <QTableWidget>

QTableWidget* pointTable(const FramePanel& panel)
{
    return panel.findChild<QTableWidget*>(QStringLiteral("tableWidgetPoints"));
}

void setPanelRows(FramePanel& panel, const QStringList& rows)
{
    QTableWidget* points = pointTable(panel);
    points->clearContents();
    points->setRowCount(rows.size());
    for (int row = 0; row < rows.size(); ++row) {
        const QStringList cells = rows.at(row).split(';');
        for (int column = 0; column < cells.size(); ++column)
            points->setItem(row, column, new QTableWidgetItem(cells.at(column)));
    }
}

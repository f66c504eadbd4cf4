#pragma once

#include <QStringList>

class FramePanel;
class QTableWidget;

QTableWidget* pointTable(const FramePanel& panel);
// Replaces the panel's rows; each row is given as "name;c1;c2;c3".
void setPanelRows(FramePanel& panel, const QStringList& rows);

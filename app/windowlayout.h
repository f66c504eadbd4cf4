#pragma once

#include <QList>

class QSettings;
class QSplitter;
class QWidget;

// The main window's geometry and splitter positions, kept in the settings between runs.

// The kept layout, or a first one that shows the point tables when none is kept: a size within
// the screen, side-by-side panes in halves, stacked panes giving the lower three quarters.
void restoreWindowLayout(QWidget& window, const QList<QSplitter*>& splitters, const QSettings& settings);
void saveWindowLayout(const QWidget& window, const QList<QSplitter*>& splitters, QSettings& settings);

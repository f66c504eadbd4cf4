#pragma once

class CGeoidList;
class FramePanel;
class QWidget;

// Recalculates the points of the source panel into the coordinate system of the target panel
// under a progress dialog, then shows the statistics when asked. When the run cannot start
// (a system that cannot be read or used, a pair that cannot be chained) the target keeps its
// points and the user is told why.
void recalculatePanels(QWidget* window, FramePanel& source, FramePanel& target, CGeoidList* geoids,
                       bool showStats);

#pragma once

#include <QString>

#include <functional>

class QWidget;

// The progress of a pass over a number of items: called with the items handled so far and
// their count before each item, and once more with both equal at the end. A false answer asks
// the pass to stop before the next item.
using CPassProgress = std::function<bool(int handled, int count)>;

// Goes on to the end, shows nothing.
bool ignoreProgress(int handled, int count);

// Shows the pass in a window-modal progress dialog with the cancel button "Прервать", made at
// the first call and closed at the end; a press of the button stops the pass.
CPassProgress dialogProgress(QWidget* parent, const QString& label);

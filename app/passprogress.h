#pragma once

#include <QElapsedTimer>
#include <QProgressDialog>
#include <QString>

#include <functional>

class QWidget;

// The progress of a pass over a number of items: called with the items handled so far and
// their count before each item, and once more with both equal at the end. A false answer asks
// the pass to stop before the next item.
using CPassProgress = std::function<bool(int handled, int count)>;

// Goes on to the end, shows nothing.
bool ignoreProgress(int handled, int count);

// A window-modal progress dialog with the cancel button "Прервать", shown when a pass lasts over
// a second. Its value is set, and so the events processed, at most every 50 ms, so a pass may
// step it on every item and stay fast and responsive.
class CThrottledProgress
{
public:
    CThrottledProgress(QWidget* parent, const QString& label, int count);

    // False once the button was pressed.
    bool step(int handled);
    // Shows the pass as whole and closes the dialog.
    void finish();

private:
    QProgressDialog m_dialog;
    QElapsedTimer m_shown;
};

// Shows the pass in a throttled progress dialog, made at the first call and closed at the end;
// a press of the button stops the pass.
CPassProgress dialogProgress(QWidget* parent, const QString& label);

#pragma once

class QDialog;
class QRect;
class QWidget;

// Keeps an editor on the screen. Everything above the dialog's last layout row (its Save and
// Cancel buttons) goes into one scroll area, so that what cannot fit scrolls while the buttons
// stay in view; the dialog is fitted each time it is shown, and again where the window manager
// then leaves its frame off the screen. Called once, at the end of the editor's constructor.
void keepOnScreen(QDialog* dialog);

// Sizes a shown dialog to what it shows, at most the available area of its screen, and moves
// it back onto that area, as the show does; every line edit not being typed in shows its text
// from the start. Does nothing while the dialog is hidden: the show fits it.
void fitToScreen(QDialog* dialog);

// The available area that dialogs are fitted to: that of the screen the widget is on, or the
// one set by setScreenAreaForTests.
QRect screenArea(const QWidget* widget);

// Fits dialogs to the given area instead of their screen's (a test's screen of a given size);
// a null rectangle goes back to the screen.
void setScreenAreaForTests(const QRect& area);

#pragma once

class QCoreApplication;

// Loads Qt's own Russian translations, so that standard dialogs and buttons speak Russian: from
// the program's folder when a copy is shipped there, else from Qt's translations folder. False
// when none is found.
bool installQtTranslations(QCoreApplication& application);

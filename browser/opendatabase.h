#pragma once

class QWidget;

// True when the default connection is open; otherwise tells the user "Не открыта база данных".
// Nothing here opens a closed connection again.
bool requireOpenDatabase(QWidget* window);

#pragma once

#include <QString>

// A name not yet taken in the folder: the name itself, else base[n].suffix for the first free
// n from 1 (a counter "[k]" already ending the base is replaced). Only the name is returned.
QString uniqueFileName(const QString& folder, const QString& fileName);
// The text with each of < > : " / \ | ? * replaced by "_".
QString safeFileName(const QString& text);
// A file name made of the text: the characters that are unsafe in file names replaced, not
// hidden and short enough to leave room for a counter and a suffix; "_" for an empty text.
QString fileBaseName(const QString& text);

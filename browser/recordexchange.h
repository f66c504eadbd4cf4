#pragma once

#include <QString>

class CAbstractDetails;

// The record's name made a safe file name, followed by "." and the suffix.
QString recordFileName(const CAbstractDetails& record, const QString& suffix);

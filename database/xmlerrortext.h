#pragma once

#include <QString>

// The Russian text of a message that QDomDocument::setContent gives for a file that is not
// well-formed XML; a message it does not know stays as it is.
QString xmlErrorText(const QString& message);

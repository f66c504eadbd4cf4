#include "registercoordsyseditors.h"

#include "browser/editorregistry.h"

void registerCoordSysEditors()
{
}

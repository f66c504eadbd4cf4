#include "editors.h"

#include "editors/coordsys/registercoordsyseditors.h"
#include "editors/datum/registerdatumeditors.h"
#include "editors/transform/registertransformeditors.h"

void registerEditors()
{
    registerDatumEditors();
    registerCoordSysEditors();
    registerTransformEditors();
}

#include "registerdatumeditors.h"

#include "browser/editorregistry.h"

void registerDatumEditors()
{
}

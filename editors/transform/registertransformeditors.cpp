#include "registertransformeditors.h"

#include "browser/editorregistry.h"

void registerTransformEditors()
{
}

#include "registertransformeditors.h"

#include "dialogtransformeditor.h"
#include "dialogtransformlisteditor.h"

#include "browser/editorregistry.h"
#include "database/tablecatalogue.h"

void registerTransformEditors()
{
    EditorRegistry::set(TableTransform, {nullptr, &DialogTransformEditor::Edit, nullptr});
    EditorRegistry::set(TableTransformList, {nullptr, &DialogTransformListEditor::Edit, nullptr});
}

#include "registercoordsyseditors.h"

#include "dialogcoordsystypeeditor.h"

#include "browser/editorregistry.h"
#include "database/tablecatalogue.h"

void registerCoordSysEditors()
{
    EditorRegistry::set(TableCoordSysType, {nullptr, &DialogCoordSysTypeEditor::Edit, nullptr});
}

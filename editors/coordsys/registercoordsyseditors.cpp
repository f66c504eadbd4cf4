#include "registercoordsyseditors.h"

#include "dialogcoordsyseditor.h"

#include "browser/editorregistry.h"
#include "database/tablecatalogue.h"

void registerCoordSysEditors()
{
    EditorRegistry::set(TableCoordSys,
                        {&DialogCoordSysEditor::Create, &DialogCoordSysEditor::Edit, &DialogCoordSysEditor::Erase});
}

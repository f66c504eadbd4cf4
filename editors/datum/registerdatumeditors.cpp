#include "registerdatumeditors.h"

#include "dialogdatumeditor.h"

#include "browser/editorregistry.h"
#include "database/tablecatalogue.h"

void registerDatumEditors()
{
    EditorRegistry::set(TableDatum, {&DialogDatumEditor::Create, &DialogDatumEditor::Edit, &DialogDatumEditor::Erase});
}

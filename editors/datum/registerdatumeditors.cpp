#include "registerdatumeditors.h"

#include "dialogdatumeditor.h"
#include "dialogdatumshifteditor.h"

#include "browser/editorregistry.h"
#include "database/novalue.h"
#include "database/tablecatalogue.h"

void registerDatumEditors()
{
    EditorRegistry::set(TableDatum, {&DialogDatumEditor::Create, &DialogDatumEditor::Edit, &DialogDatumEditor::Erase});
    EditorRegistry::set(TableDatumShift, {[] { return DialogDatumShiftEditor::Create(false, NoValue); },
                                          [](int key) { return DialogDatumShiftEditor::Edit(key, false); },
                                          &DialogDatumShiftEditor::Erase});
}

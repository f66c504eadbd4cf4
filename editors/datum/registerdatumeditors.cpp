#include "registerdatumeditors.h"

#include "browser/editorregistry.h"
#include "database/tablecatalogue.h"
#include "editors/datum/dialogangleformateditor.h"
#include "editors/datum/dialogdatumshifttypeeditor.h"
#include "editors/datum/dialogellipsoideditor.h"
#include "editors/datum/dialogprimemeridianeditor.h"
#include "editors/datum/dialoguniteditor.h"

void registerDatumEditors()
{
    for (const int unitTable : {TableUnitLength, TableUnitAngle, TableUnitScale})
        EditorRegistry::set(unitTable, {[unitTable] { return DialogUnitEditor::Create(unitTable); },
                                        [unitTable](int key) { return DialogUnitEditor::Edit(unitTable, key); },
                                        [unitTable](int key) { return DialogUnitEditor::Erase(unitTable, key); }});
    EditorRegistry::set(TableAngleFormat, {nullptr, DialogAngleFormatEditor::Edit, nullptr});
    EditorRegistry::set(TableEllipsoid,
                        {DialogEllipsoidEditor::Create, DialogEllipsoidEditor::Edit, DialogEllipsoidEditor::Erase});
    EditorRegistry::set(TablePrimeMeridian, {DialogPrimeMeridianEditor::Create, DialogPrimeMeridianEditor::Edit,
                                             DialogPrimeMeridianEditor::Erase});
    EditorRegistry::set(TableDatumShiftType, {nullptr, DialogDatumShiftTypeEditor::Edit, nullptr});
}

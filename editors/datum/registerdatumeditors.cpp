#include "registerdatumeditors.h"

#include "dialogangleformateditor.h"
#include "dialogdatumeditor.h"
#include "dialogdatumshifteditor.h"
#include "dialogdatumshifttypeeditor.h"
#include "dialogellipsoideditor.h"
#include "dialogprimemeridianeditor.h"
#include "dialoguniteditor.h"

#include "browser/editorregistry.h"
#include "database/novalue.h"
#include "database/tablecatalogue.h"

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
    EditorRegistry::set(TableDatum, {DialogDatumEditor::Create, DialogDatumEditor::Edit, DialogDatumEditor::Erase});
    EditorRegistry::set(TableDatumShift, {[] { return DialogDatumShiftEditor::Create(false, NoValue); },
                                          [](int key) { return DialogDatumShiftEditor::Edit(key, false); },
                                          &DialogDatumShiftEditor::Erase});
}

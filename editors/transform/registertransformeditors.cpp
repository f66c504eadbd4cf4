#include "registertransformeditors.h"

#include "dialogexportcodeeditor.h"
#include "dialoggeoideditor.h"
#include "dialogtransformeditor.h"
#include "dialogtransformlisteditor.h"

#include "browser/editorregistry.h"
#include "database/tablecatalogue.h"

namespace {

void registerExportCodeEditor(int tableId)
{
    EditorRegistry::set(tableId, {[tableId] { return DialogExportCodeEditor::Create(tableId); },
                                  [tableId](int code) { return DialogExportCodeEditor::Edit(tableId, code); },
                                  [tableId](int code) { return DialogExportCodeEditor::Erase(tableId, code); }});
}

} // namespace

void registerTransformEditors()
{
    EditorRegistry::set(TableTransform, {nullptr, &DialogTransformEditor::Edit, nullptr});
    EditorRegistry::set(TableTransformList, {nullptr, &DialogTransformListEditor::Edit, nullptr});
    EditorRegistry::set(TableVertCoordSys,
                        {&DialogGeoidEditor::Create, &DialogGeoidEditor::Edit, &DialogGeoidEditor::Erase});
    for (const int tableId : {TableEpsgDatumShift, TableEpsgDatumShiftType, TableEpsgMapProj, TableEpsgCoordSys,
                              TableEpsgEllipsoid, TableEpsgDatum, TableEpsgVertCoordSys, TableEpsgPrimeMeridian,
                              TableEpsgLengthUnit, TableEpsgAngleUnit, TableEpsgScaleUnit, TableMapInfoUnit,
                              TableMapInfoEllipsoid, TableMapInfoDatum})
        registerExportCodeEditor(tableId);
}

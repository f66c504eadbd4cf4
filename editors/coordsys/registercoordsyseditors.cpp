#include "registercoordsyseditors.h"

#include "dialogcoordsyseditor.h"
#include "dialogcoordsystypeeditor.h"
#include "dialogmapprojectioneditor.h"
#include "dialogmapprojtypeeditor.h"

#include "browser/editorregistry.h"
#include "database/tablecatalogue.h"

void registerCoordSysEditors()
{
    EditorRegistry::set(TableCoordSysType, {nullptr, &DialogCoordSysTypeEditor::Edit, nullptr});
    EditorRegistry::set(TableCoordSys,
                        {&DialogCoordSysEditor::Create, &DialogCoordSysEditor::Edit, &DialogCoordSysEditor::Erase});
    EditorRegistry::set(TableMapProj, {&DialogMapProjectionEditor::Create, &DialogMapProjectionEditor::Edit,
                                       &DialogMapProjectionEditor::Erase});
    EditorRegistry::set(TableMapProjType, {nullptr, &DialogMapProjTypeEditor::Edit, nullptr});
}

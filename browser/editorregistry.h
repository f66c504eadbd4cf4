#pragma once

#include <functional>

// The static operations of the editor of one definitions table, reached by table id, so that
// the selector and the pickers open editors without including them. An empty function is an
// operation the table's editor does not offer.
struct CEditorOperations {
    // The key of the new record; NoValue when cancelled or failed.
    std::function<int()> create;
    // True when the record was changed and stored.
    std::function<bool(int key)> edit;
    // True when the row was deleted; false when dependents exist or the delete failed.
    std::function<bool(int key)> erase;
};

namespace EditorRegistry {

// Sets the operations of a table id, replacing any set before.
void set(int tableId, const CEditorOperations& operations);
// The operations of a table id; all empty when no editor is registered for it.
CEditorOperations get(int tableId);
// Forgets every table id (tests).
void clear();

}

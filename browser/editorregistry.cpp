#include "editorregistry.h"

#include <QHash>

namespace {

QHash<int, CEditorOperations>& table()
{
    static QHash<int, CEditorOperations> operations;
    return operations;
}

}

namespace EditorRegistry {

void set(int tableId, const CEditorOperations& operations)
{
    table().insert(tableId, operations);
}

CEditorOperations get(int tableId)
{
    return table().value(tableId);
}

void clear()
{
    table().clear();
}

}

#include "geoidregistry.h"

namespace {

CGeoidList* published = nullptr;

} // namespace

CGeoidList* geoidRegistry()
{
    return published;
}

void setGeoidRegistry(CGeoidList* registry)
{
    published = registry;
}

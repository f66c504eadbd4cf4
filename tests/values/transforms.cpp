#include "transforms.h"

CTransformInfo transform(int type, const std::map<int, const char*>& values,
                         std::shared_ptr<CUnitInfo> unit)
{
    CTransformInfo info;
    info.name = "transform";
    info.type = type;
    info.type_info.code = type;
    info.type_info.name = "type";
    for (const auto& entry : values) {
        CTransformParamValueInfo& value = info.param_values[entry.first];
        value.param = entry.first;
        value.value = entry.second;
        value.unit = unit;
    }
    return info;
}

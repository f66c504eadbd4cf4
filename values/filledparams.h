#pragma once

#include <exception>
#include <memory>

// New params filled by the value's fillParams; empty when the fill fails or
// throws.
template <typename Params, typename Info>
std::shared_ptr<Params> makeFilledParams(const Info& info)
{
    auto params = std::make_shared<Params>();
    try {
        if (info.fillParams(*params))
            return params;
    } catch (const std::exception&) {
    }
    return nullptr;
}

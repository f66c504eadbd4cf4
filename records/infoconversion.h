#pragma once

#include <exception>
#include <memory>

// Clears the value record and fills it; a fill that fails or throws leaves it cleared.
template <class Info, class Fill>
bool fillOrClear(Info& info, const Fill& fill)
{
    info.clear();
    try {
        if (fill())
            return true;
    } catch (const std::exception&) {
    }
    info.clear();
    return false;
}

// A linked record that is set becomes a new value record in info; false when
// it does not convert.
template <class Record, class Info>
bool convertLink(const std::shared_ptr<Record>& record, std::shared_ptr<Info>& info)
{
    if (!record)
        return true;
    info = std::make_shared<Info>();
    return record->toInfo(*info);
}

#pragma once

#include <exception>
#include <memory>
#include <utility>

// A new record filled by its fromWkt; empty when that fails or throws.
template <class Record, class... Args>
std::shared_ptr<Record> createRecordFromWkt(Args&&... args)
{
    try {
        auto record = std::make_shared<Record>();
        if (record->fromWkt(std::forward<Args>(args)...))
            return record;
    } catch (const std::exception&) {
    }
    return nullptr;
}

#pragma once

#include <memory>

// Two links to values are the same when both are absent, or both present and
// equal by value.
template <typename T>
bool isSameLink(const std::shared_ptr<T>& a, const std::shared_ptr<T>& b)
{
    if (!a || !b)
        return !a && !b;
    return *a == *b;
}

template <typename T>
bool isSameEntry(const T& a, const T& b)
{
    return a == b;
}

template <typename T>
bool isSameEntry(const std::shared_ptr<T>& a, const std::shared_ptr<T>& b)
{
    return isSameLink(a, b);
}

// Maps are the same when they have as many entries and every key of the first
// is in the second with an equal value.
template <typename Map>
bool isSameMap(const Map& a, const Map& b)
{
    if (a.size() != b.size())
        return false;
    for (const auto& entry : a) {
        const auto found = b.find(entry.first);
        if (found == b.end() || !isSameEntry(entry.second, found->second))
            return false;
    }
    return true;
}

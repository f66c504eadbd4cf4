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

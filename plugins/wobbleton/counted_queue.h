// Reads a host queue by the usual rule (the count once, a failed count or one
// of 0 or less as empty, indices in order, unreadable entries skipped) and
// also tells whether the queue counted any entries at all, readable or not:
// both paths of this effect act on a counted queue even when every entry
// fails to read.
#pragma once

#include <cstdint>

#include "framework/host_types.h"

namespace nuv::wobbleton {

// Any thread; returns false for an empty or uncountable queue.
template <class Record, class Queue, class Visit>
bool VisitCounted(Queue* queue, Visit&& visit) {
    std::int32_t count = 0;
    if (queue == nullptr || FAILED(queue->GetCount(&count)) || count <= 0) return false;
    for (std::int32_t i = 0; i < count; ++i) {
        Record record{};
        if (SUCCEEDED(queue->GetAt(i, &record))) visit(record);
    }
    return true;
}

}  // namespace nuv::wobbleton

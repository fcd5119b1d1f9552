// A sequence of events cut into host-sized calls, one input queue per call.
#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

#include "framework/host_types.h"
#include "tools/host/queues.h"

namespace nuv::bench {

// Calls of `perCall` events each, in order; the last one holds the rest.
inline std::vector<ComRef<host::EventQueue>> CallsOf(const std::vector<HostEvent>& events,
                                                           std::size_t perCall) {
    std::vector<ComRef<host::EventQueue>> calls;
    for (std::size_t first = 0; first < events.size(); first += perCall) {
        const std::size_t last = std::min(events.size(), first + perCall);
        calls.emplace_back(new host::EventQueue(std::vector<HostEvent>(
            events.begin() + static_cast<std::ptrdiff_t>(first), events.begin() + static_cast<std::ptrdiff_t>(last))));
    }
    return calls;
}

}  // namespace nuv::bench

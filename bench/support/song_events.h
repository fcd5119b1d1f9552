// Event material for the benchmarks: a dense, deterministic song of notes with
// a controller and a wheel move between them.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/host_types.h"

namespace nuv::bench {

inline std::vector<HostEvent> DenseSong(std::size_t count) {
    std::vector<HostEvent> events;
    events.reserve(count);
    std::uint32_t state = 12345;
    for (std::size_t i = 0; i < count; ++i) {
        state = state * 1103515245u + 12345u;
        HostEvent e{};
        e.time = static_cast<std::int32_t>(i * 30);
        e.channel = static_cast<std::uint8_t>(i % 4);
        if (i % 10 == 9) {
            e.kind = Control;
            e.number = 1;
            e.value = static_cast<std::uint8_t>(state >> 25);
        } else if (i % 10 == 4) {
            e.kind = Wheel;
            SetWheelValue(e, static_cast<std::int16_t>((state >> 18) % 16384 - 8192));
        } else {
            e.kind = Note;
            e.number = static_cast<std::uint8_t>(36 + (state >> 24) % 60);
            e.value = static_cast<std::uint8_t>(1 + (state >> 16) % 127);
            e.duration = 60 + static_cast<std::int32_t>((state >> 8) % 400);
        }
        events.push_back(e);
    }
    return events;
}

}  // namespace nuv::bench

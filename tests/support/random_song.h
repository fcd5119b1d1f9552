// Random songs for the tests that put one input through an engine's present
// implementation and through a reference: host calls of notes with dense
// chords, repeated keys, exact duplicates, times out of order, extreme and
// negative times and lengths, with controllers in between.
#pragma once

#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "tests/support/event_builders.h"

namespace nuv::testing {

class RandomSong {
public:
    explicit RandomSong(std::uint32_t seed) : random_(seed) {}

    // A whole number in lo..hi.
    std::int32_t Between(std::int32_t lo, std::int32_t hi) {
        return std::uniform_int_distribution<std::int32_t>(lo, hi)(random_);
    }
    bool Chance(int percent) { return Between(0, 99) < percent; }
    // One of a few typical values or, now and then, a limit of the type.
    std::int32_t Setting(std::int32_t lo, std::int32_t hi) {
        switch (Between(0, 9)) {
            case 0: return std::numeric_limits<std::int32_t>::max() - Between(0, 2);
            case 1: return std::numeric_limits<std::int32_t>::min() + Between(0, 2);
            case 2: return Between(-5, 0);
            default: return Between(lo, hi);
        }
    }

    // The next host call: up to `most` events.
    std::vector<HostEvent> NextCall(int most = 24) {
        std::vector<HostEvent> call;
        const int count = Between(0, most);
        for (int i = 0; i < count; ++i) {
            if (Chance(10)) {
                call.push_back(ControlEvent(clock_, static_cast<std::uint8_t>(Between(0, 127)), 1));
            } else if (!call.empty() && call.back().kind == Note && Chance(8)) {
                call.push_back(call.back());  // an exact duplicate
            } else {
                call.push_back(NextNote(call));
            }
        }
        return call;
    }

private:
    HostEvent NextNote(const std::vector<HostEvent>& call) {
        // A chord tone starts with the note before it; otherwise the clock moves on.
        const bool chord = !call.empty() && call.back().kind == Note && Chance(30);
        if (!chord) clock_ += Between(0, 90);
        std::int32_t time = chord ? call.back().time : clock_ + Between(-20, 20);
        if (Chance(4)) time = Between(-600, clock_);                                             // out of order
        if (Chance(2)) time = std::numeric_limits<std::int32_t>::max() - Between(0, 500);      // near the end
        if (Chance(2)) time = std::numeric_limits<std::int32_t>::min() + Between(0, 500);      // far before 0
        std::int32_t length = Between(1, 300);
        if (Chance(5)) length = Between(-100, 0);
        if (Chance(2)) length = std::numeric_limits<std::int32_t>::max() - Between(0, 10);
        if (Chance(2)) length = 384000 + Between(-1, 1);
        const auto key = static_cast<std::uint8_t>(Chance(70) ? Between(60, 64) : Between(0, 127));
        return NoteEvent(time, key, static_cast<std::uint8_t>(Chance(5) ? 0 : Between(1, 127)), length);
    }

    std::mt19937 random_;
    std::int32_t clock_ = 0;
};

}  // namespace nuv::testing

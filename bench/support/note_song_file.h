// A Standard MIDI File for the benchmarks of whole files: tracks of notes on
// a channel each, a note every eighth of a beat with its own key, velocity
// and length (so notes overlap), a controller every eight notes and a wheel
// move every sixteen. Deterministic for a given seed.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "tools/smf/smf_writer.h"

namespace nuv::bench {

inline std::vector<std::uint8_t> NoteSongFile(int tracks, int notesPerTrack, std::uint32_t seed) {
    smf::File f;
    f.format = 1;
    f.division = 480;
    std::uint32_t state = seed;
    for (int t = 0; t < tracks; ++t) {
        smf::Track track;
        std::vector<smf::Event> ends;
        const std::uint8_t ch = static_cast<std::uint8_t>(t & 0x0F);
        for (int i = 0; i < notesPerTrack; ++i) {
            state = state * 1103515245u + 12345u;
            const std::uint32_t start = static_cast<std::uint32_t>(i) * 60;
            const std::uint8_t key = static_cast<std::uint8_t>(36 + (state >> 24) % 60);
            track.events.push_back(smf::ChannelMessage(start, static_cast<std::uint8_t>(0x90 | ch), key,
                                                       static_cast<std::uint8_t>(1 + (state >> 16) % 127)));
            ends.push_back(smf::ChannelMessage(start + 40 + (state >> 8) % 200, static_cast<std::uint8_t>(0x80 | ch), key, 64));
            if (i % 8 == 7)
                track.events.push_back(smf::ChannelMessage(start, static_cast<std::uint8_t>(0xB0 | ch), 1, (state >> 9) & 0x7F));
            if (i % 16 == 3)
                track.events.push_back(smf::ChannelMessage(start, static_cast<std::uint8_t>(0xE0 | ch), 0, (state >> 10) & 0x7F));
        }
        track.events.insert(track.events.end(), ends.begin(), ends.end());
        std::stable_sort(track.events.begin(), track.events.end(),
                         [](const smf::Event& a, const smf::Event& b) { return a.tick < b.tick; });
        track.endTick = track.events.back().tick;
        f.tracks.push_back(std::move(track));
    }
    return smf::WriteSmf(f);
}

}  // namespace nuv::bench

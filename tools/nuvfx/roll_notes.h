// What a piano roll shows of a song: its notes with their ends, and the
// controller, pressure and wheel values over time, read through the same
// split of tracks into song events that processing uses. And the changes
// between two songs: which notes of the first became which of the second.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/smf/smf_file.h"

namespace nuv::nuvfx {

struct RollNote {
    std::uint8_t channel = 0;
    std::uint8_t key = 0;
    std::uint8_t velocity = 0;
    std::uint32_t start = 0;
    std::uint32_t end = 0;
};

// One series of values in the controller lane.
enum class SeriesKind : std::uint8_t { Controller, Wheel, KeyPressure, ChannelPressure };
struct RollSeries {
    SeriesKind kind = SeriesKind::Controller;
    std::uint8_t channel = 0;
    std::uint8_t number = 0;  // the controller number
    // (tick, value): 0..127, the wheel -8192..8191; in time order.
    std::vector<std::pair<std::uint32_t, std::int32_t>> points;
};

struct RollSong {
    std::vector<RollNote> notes;  // by start, then key
    std::vector<RollSeries> series;
    std::uint32_t endTick = 0;    // the last end of a track or a note
};

// Any thread.
RollSong CollectRoll(const smf::File& song);

// What became of a note. Flags combine.
enum NoteChange : std::uint8_t { kMoved = 1, kTransposed = 2, kVelocityChanged = 4 };

struct NotePair {
    std::int32_t before = -1;  // index into the first song's notes, -1 for an added note
    std::int32_t after = -1;   // into the second's, -1 for a dropped note
    std::uint8_t changes = 0;
};

struct ChangeCounts {
    std::int64_t moved = 0, transposed = 0, velocityChanged = 0, dropped = 0, added = 0, unchanged = 0;
};

struct NoteDiff {
    std::vector<NotePair> pairs;  // every note of both songs once
    ChangeCounts counts;
};

// Pairs the notes of two songs, channel by channel, as the smallest change
// explains them: identical notes first, then by cost, lowest first, a note of
// the same key whose start moved by at most `window` ticks (cost: how far its
// start and end moved) or one of another key that starts and ends alike
// (cost: eight ticks a semitone, so that a transposition wins over a long
// move and a short move over a transposition). Notes left are dropped or
// added. Any thread.
NoteDiff MatchNotes(const std::vector<RollNote>& before, const std::vector<RollNote>& after, std::uint32_t window);

}  // namespace nuv::nuvfx

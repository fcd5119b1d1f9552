// The playback's table of sounding notes: for every song tick from tick 0, the
// number of notes sounding at that tick (bits 0-6 of its entry, held at 127)
// and whether a note starts there (bit 7). It spans the ticks the song has
// reached; ticks before 0 or beyond its end read as silence. The counts are
// held as steps, one where a counted note starts or ends, so its memory
// follows the number of notes counted since the last stop, not the length of
// the song in ticks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace nuv::ondulo {

class NoteCountTable {
public:
    static constexpr std::uint8_t kStartMark = 0x80;
    static constexpr std::uint8_t kCountMask = 0x7F;

    // Makes the table span at least `entries` ticks from tick 0, the new ones
    // silent. Takes no memory.
    void GrowTo(std::int64_t entries);
    // Counts one note from tick `time` for `duration` ticks at every tick that
    // lies inside the table; marks its first tick as a start. When memory for
    // its steps is refused the note counts nothing.
    void AddNote(std::int32_t time, std::int32_t duration);
    // The entry of `tick`; 0 outside the table.
    std::uint8_t At(std::int64_t tick) const;
    // Zeroes every entry, keeping the span and the memory.
    void ClearCounts() { steps_.clear(); }
    // Drops every entry and the memory behind them.
    void Empty();

    std::size_t Length() const { return static_cast<std::size_t>(length_); }
    std::size_t BytesHeld() const;

    // Reads the entries of consecutive ticks, for a walk through a span.
    class Reader {
    public:
        // The entry of the reader's tick; the reader then moves on one tick.
        std::uint8_t Next();

    private:
        friend class NoteCountTable;
        Reader(const NoteCountTable& table, std::int64_t tick);

        const NoteCountTable& table_;
        std::int64_t tick_;
        std::size_t next_;  // the first step after the reader's tick
    };
    // A reader at `tick`. It stays valid while no note is added.
    Reader ReadFrom(std::int64_t tick) const { return Reader(*this, tick); }

private:
    // From `tick` on, up to the next step, `count` notes sound; `start` says
    // that a note starts at `tick` itself.
    struct Step {
        std::int64_t tick;
        std::uint32_t count;
        bool start;
    };

    // The index of the step beginning at `tick`, made when there is none.
    std::size_t SplitAt(std::int64_t tick);
    // The index of the first step after `tick`.
    std::size_t StepAfter(std::int64_t tick) const;
    static std::uint8_t EntryOf(const Step& step, std::int64_t tick);

    std::vector<Step> steps_;  // by tick; no step before the first means silence
    std::int64_t length_ = 0;
};

}  // namespace nuv::ondulo

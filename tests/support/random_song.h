// Random songs for the tests that put one input through an engine's present
// implementation and through a reference: host calls of notes with dense
// chords, repeated keys, exact duplicates, times out of order, extreme and
// negative times and lengths, with controllers in between.
#pragma once

#include <limits>
#include <random>
#include <vector>

#include "framework/note_history.h"
#include "tests/support/event_builders.h"

namespace nuv::testing {

class RandomSong {
public:
    explicit RandomSong(std::uint32_t seed) : random_(seed) {}

    std::int32_t Between(std::int32_t lo, std::int32_t hi) {
        return std::uniform_int_distribution<std::int32_t>(lo, hi)(random_);
    }
    bool Chance(int percent) { return Between(0, 99) < percent; }
    // A value in lo..hi or, one time in ten each, near either limit of the type or just below 0.
    std::int32_t Setting(std::int32_t lo, std::int32_t hi) {
        constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
        const std::int32_t odd[] = {kMax - Between(0, 2), -kMax - Between(0, 1), -Between(0, 5)};
        const std::int32_t pick = Between(0, 9);
        return pick < 3 ? odd[pick] : Between(lo, hi);
    }

    // The next host call: up to `most` events.
    std::vector<HostEvent> NextCall(int most = 24) {
        std::vector<HostEvent> call;
        for (int i = Between(0, most); i > 0; --i) {
            const bool afterNote = !call.empty() && call.back().kind == Note;
            if (Chance(10)) {
                call.push_back(ControlEvent(clock_, 7, 1));
            } else if (afterNote && Chance(8)) {
                call.push_back(call.back());  // an exact duplicate
            } else {
                // A chord tone starts with the note before it; otherwise the clock moves on.
                const bool chord = afterNote && Chance(30);
                if (!chord) clock_ += Between(0, 90);
                std::int32_t time = chord ? call.back().time : clock_ + Between(-20, 20);
                if (Chance(4)) time = Between(-600, clock_);
                if (Chance(4)) time = Setting(0, 0);
                std::int32_t length = Chance(8) ? Setting(384000, 384001) : Between(1, 300);
                const auto key = static_cast<std::uint8_t>(Chance(70) ? Between(60, 64) : Between(0, 127));
                call.push_back(NoteEvent(time, key, static_cast<std::uint8_t>(Between(0, 127)), length));
            }
        }
        return call;
    }

    // Plays `calls` calls into `history`, forgetting it now and then as a
    // transport call does, and hands each note to visit(index) once its call
    // is in the history.
    template <class Visit>
    void PlayInto(NoteHistory& history, int calls, Visit visit) {
        for (int c = 0; c < calls; ++c) {
            if (Chance(3)) history.Forget();
            EventCall call(NextCall());
            for (std::size_t i = history.TakeCall(call.in.Get(), call.out.Get()); i < history.Notes().size(); ++i)
                visit(i);
        }
    }

private:
    std::mt19937 random_;
    std::int32_t clock_ = 0;
};

}  // namespace nuv::testing

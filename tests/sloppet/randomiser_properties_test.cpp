// NuvSloppet properties that hold for any seed: over many seeds and songs of
// overlapping notes, what each step may and may not change.
#include <algorithm>
#include <cstring>

#include "tests/sloppet/sloppet_fixture.h"

namespace nuv::sloppet {
namespace {

using nuv::testing::ControlEvent;
using nuv::testing::NoteEvent;
using nuv::testing::RunEvents;

constexpr int kSeeds = 150;

std::int64_t EndOf(const HostEvent& e) { return static_cast<std::int64_t>(e.time) + e.duration; }

// A song of dense, overlapping notes on few keys, interleaved with controller
// events, drawn from its own source so each seed gives another song.
std::vector<HostEvent> Song(std::uint32_t seed) {
    RandomSource shape(seed * 7919u + 1u);
    std::vector<HostEvent> song;
    std::int32_t time = shape.Next() % 50;
    for (int i = 0; i < 24; ++i) {
        const auto key = static_cast<std::uint8_t>(60 + shape.Next() % 4);
        const auto velocity = static_cast<std::uint8_t>(1 + shape.Next() % 127);
        song.push_back(NoteEvent(time, key, velocity, 1 + shape.Next() % 400));
        if (i % 5 == 0) song.push_back(ControlEvent(time, static_cast<std::uint8_t>(i), 9));
        time += shape.Next() % 120;
    }
    return song;
}

std::vector<HostEvent> NotesOf(const std::vector<HostEvent>& events) {
    std::vector<HostEvent> notes;
    std::copy_if(events.begin(), events.end(), std::back_inserter(notes),
                 [](const HostEvent& e) { return e.kind == Note; });
    return notes;
}

class SloppetAnySeed : public SloppetTest {
protected:
    // Runs the song in calls of five events with the effect seeded.
    std::vector<HostEvent> Randomised(const std::vector<HostEvent>& song, std::uint32_t seed) {
        effect->OnStart(0, nullptr);
        effect->Random().Seed(seed);
        std::vector<HostEvent> out;
        for (std::size_t i = 0; i < song.size(); i += 5) {
            const std::vector<HostEvent> call(song.begin() + i, song.begin() + std::min(song.size(), i + 5));
            const auto part = RunEvents(*effect, call);
            out.insert(out.end(), part.begin(), part.end());
        }
        return out;
    }
};

TEST_F(SloppetAnySeed, NoteOnAloneKeepsTheEndUnlessNoLengthWouldBeLeft) {
    effect->noteOnEnabled = 1;
    effect->noteOnAmount = 40;
    for (std::uint32_t seed = 1; seed <= kSeeds; ++seed) {
        const auto song = NotesOf(Song(seed));
        const auto out = NotesOf(Randomised(song, seed));
        ASSERT_EQ(out.size(), song.size());
        for (std::size_t i = 0; i < song.size(); ++i) {
            const std::int64_t shift = static_cast<std::int64_t>(out[i].time) - song[i].time;
            EXPECT_GE(+out[i].time, 0);
            EXPECT_LE(std::abs(shift), 383 / 2);
            if (out[i].duration != song[i].duration) {
                EXPECT_EQ(EndOf(out[i]), EndOf(song[i])) << "seed " << seed << " note " << i;
            } else {
                EXPECT_TRUE(shift == 0 || +song[i].duration - shift < 1) << "seed " << seed << " note " << i;
            }
        }
    }
}

TEST_F(SloppetAnySeed, NoteOnWithTheSameKeyRuleStillKeepsEveryEnd) {
    // Alternating keys 100 ticks apart, each 250 long: the rule may move a
    // start further than the window reaches, and the end stays put all the same.
    effect->noteOnEnabled = 1;
    effect->noteOnAmount = 40;
    effect->preventSameNoteOverlap = 1;
    std::vector<HostEvent> song;
    for (int i = 0; i < 32; ++i) song.push_back(NoteEvent(500 + i * 100, static_cast<std::uint8_t>(60 + i % 2), 90, 250));
    for (std::uint32_t seed = 1; seed <= 20; ++seed) {
        effect->OnStart(0, nullptr);
        effect->Random().Seed(seed);
        const auto out = RunEvents(*effect, song);  // one call: every note is in the history
        ASSERT_EQ(out.size(), song.size());
        for (std::size_t i = 0; i < out.size(); ++i)
            EXPECT_EQ(EndOf(out[i]), EndOf(song[i])) << "seed " << seed << " note " << i;
    }
}

TEST_F(SloppetAnySeed, VelocitiesStayWithinTheDeltaRangeAnd10To127) {
    effect->velocityEnabled = 1;
    effect->velocityAmount = 40;
    for (std::uint32_t seed = 1; seed <= kSeeds; ++seed) {
        const auto song = NotesOf(Song(seed));
        const auto out = NotesOf(Randomised(song, seed));
        ASSERT_EQ(out.size(), song.size());
        for (std::size_t i = 0; i < song.size(); ++i) {
            const int before = song[i].value;
            EXPECT_GE(out[i].value, std::clamp(before - 50, 10, 127));
            EXPECT_LE(out[i].value, std::clamp(before + 49, 10, 127));
            EXPECT_EQ(+out[i].time, +song[i].time);
            EXPECT_EQ(+out[i].duration, +song[i].duration);
        }
    }
}

TEST_F(SloppetAnySeed, EverythingOnKeepsOrderKeysAndAudibleNotes) {
    effect->noteOnEnabled = effect->noteOffEnabled = effect->velocityEnabled = 1;
    effect->preventSameNoteOverlap = effect->preserveDifferentNoteOverlap = 1;
    effect->noteOnAmount = effect->noteOffAmount = effect->velocityAmount = 40;
    for (std::uint32_t seed = 1; seed <= kSeeds; ++seed) {
        const auto song = Song(seed);
        const auto out = Randomised(song, seed);
        ASSERT_EQ(out.size(), song.size());
        // Per call of five: the controllers first in input order, then the notes.
        for (std::size_t first = 0; first < song.size(); first += 5) {
            std::vector<HostEvent> expected;
            const std::size_t last = std::min(song.size(), first + 5);
            for (std::size_t i = first; i < last; ++i)
                if (song[i].kind != Note) expected.push_back(song[i]);
            const std::size_t controllers = expected.size();
            for (std::size_t i = first; i < last; ++i)
                if (song[i].kind == Note) expected.push_back(song[i]);
            for (std::size_t i = first; i < last; ++i) {
                const HostEvent& got = out[i];
                const HostEvent& want = expected[i - first];
                ASSERT_EQ(+got.kind, +want.kind);
                EXPECT_EQ(got.number, want.number);
                if (i - first < controllers) {
                    EXPECT_EQ(std::memcmp(&got, &want, sizeof got), 0);
                } else {
                    EXPECT_GE(+got.duration, 1);
                    EXPECT_GE(got.value, std::clamp(want.value - 50, 10, 127));
                    EXPECT_LE(got.value, std::clamp(want.value + 49, 10, 127));
                }
                EXPECT_GE(+got.time, 0);
            }
        }
        // The history holds the notes exactly as they arrived.
        const auto notes = NotesOf(song);
        ASSERT_EQ(effect->History().size(), notes.size());
        EXPECT_EQ(std::memcmp(effect->History().data(), notes.data(), notes.size() * sizeof(HostEvent)), 0);
    }
}

TEST_F(SloppetAnySeed, StoredExtremesNeverOverflow) {
    effect->noteOnEnabled = effect->noteOffEnabled = effect->velocityEnabled = 1;
    effect->preventSameNoteOverlap = effect->preserveDifferentNoteOverlap = 1;
    effect->noteOnAmount = effect->noteOffAmount = effect->velocityAmount = 0xFFFFFFFFu;
    context->time->timebase = 2147483647;
    const std::int32_t big = 2147483647;
    for (std::uint32_t seed = 1; seed <= 20; ++seed) {
        const auto out = Randomised({NoteEvent(big - 10, 60, 90, big), NoteEvent(0, 60, 90, big),
                                     NoteEvent(big, 62, 90, 1), NoteEvent(5, 62, 127, 3)},
                                    seed);
        ASSERT_EQ(out.size(), 4u);
        for (const HostEvent& e : out) {
            EXPECT_GE(+e.time, 0);
            EXPECT_GE(+e.duration, 1);
        }
    }
}

}  // namespace
}  // namespace nuv::sloppet

// Once a song has played through it, no engine allocates in any processing
// call (OnStart, OnEvents, OnInput, OnLoop, OnStop) of the same song played
// again: its buffers keep their capacity between calls and between songs.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "plugins/gapkeeper/gapkeeper_effect.h"
#include "plugins/ondulo/ondulo_effect.h"
#include "plugins/shiftwell/shiftwell_effect.h"
#include "plugins/sloppet/sloppet_effect.h"
#include "plugins/velocurve/velocurve_effect.h"
#include "plugins/wobbleton/wobbleton_effect.h"
#include "tests/allocation/counting_new.h"
#include "tests/support/random_song.h"
#include "tools/host/services.h"

namespace nuv {
namespace {

constexpr std::int32_t kSpan = 240;

// A song of 400 calls (notes with chords, duplicates and times out of order,
// their lengths kept within a few beats) and live input between them.
struct Song {
    Song() {
        testing::RandomSong song(11);
        for (int c = 0; c < 400; ++c) {
            std::vector<HostEvent> events = song.NextCall(16);
            for (HostEvent& e : events) {
                e.time = e.time < 0 || e.time > 200000 ? c * kSpan : e.time;
                e.duration = e.duration < 0 || e.duration > 2000 ? 100 : e.duration;
            }
            calls.emplace_back(new host::EventQueue(std::move(events)));
            // A key held over one empty pulse, released with a controller, then a pulse.
            const auto key = static_cast<std::uint8_t>(60 + c / 4 % 12);
            std::vector<HostData> batch;
            if (c % 4 == 0) batch = {testing::Message(0x90, key, 90, c)};
            if (c % 4 == 2) batch = {testing::Message(0x80, key, 0, c), testing::Message(0xB0, 7, 64, c)};
            live.emplace_back(new host::DataQueue(std::move(batch)));
        }
    }
    std::vector<host::ComPtr<host::EventQueue>> calls;
    std::vector<host::ComPtr<host::DataQueue>> live;
};

class Player {
public:
    Player() {
        events->Records().reserve(1 << 16);
        data->Records().reserve(1 << 12);
    }
    // Plays `song` through `effect`; when `counting`, every call must allocate nothing.
    void Play(IMfxEventFilter& effect, const Song& song, bool counting) {
        counting_ = counting;
        Call("OnStart", [&] { effect.OnStart(0, events.Get()); });
        for (std::size_t c = 0; c < song.calls.size(); ++c) {
            const auto from = static_cast<std::int32_t>(c) * kSpan;
            Call("OnEvents", [&] { effect.OnEvents(from, from + kSpan - 1, song.calls[c].Get(), events.Get()); });
            Call("OnInput", [&] { effect.OnInput(song.live[c].Get(), data.Get()); });
            if (c == song.calls.size() / 2) Call("OnLoop", [&] { effect.OnLoop(0, from, events.Get()); });
        }
        Call("OnStop", [&] { effect.OnStop(0, events.Get()); });
    }

private:
    void Call(const char* name, const std::function<void()>& call) {
        events->Clear();
        data->Clear();
        testing::OpenCount();
        call();
        const long made = testing::CloseCount();
        if (counting_) {
            EXPECT_EQ(made, 0) << name;
        }
        written += events->Records().size() + data->Records().size();
    }

public:
    std::size_t written = 0;  // records the effect wrote, both songs

    host::ComPtr<host::EventQueue> events{new host::EventQueue};
    host::ComPtr<host::DataQueue> data{new host::DataQueue};
    bool counting_ = false;
};

template <class Effect>
void ExpectNoAllocationsOncePlaying(const std::function<void(Effect&)>& configure) {
    host::ComPtr<host::HostContext> context(new host::HostContext);
    host::ComPtr<Effect> effect(new Effect);
    ASSERT_EQ(effect->Connect(context.Get()), S_OK);
    configure(*effect);
    const Song song;
    Player player;
    player.Play(*effect, song, false);
    player.Play(*effect, song, true);
    EXPECT_GT(player.written, 4000u);  // the calls did their work
    effect->Disconnect();
}

TEST(Allocations, AreCounted) {
    testing::OpenCount();
    const std::vector<int> made(100, 1);
    EXPECT_EQ(testing::CloseCount(), 1);
    EXPECT_EQ(made.back(), 1);
}

TEST(Allocations, ShiftwellNoneOncePlaying) {
    ExpectNoAllocationsOncePlaying<shiftwell::NuvMfx>([](shiftwell::NuvMfx& e) { e.shift = 5; });
}

TEST(Allocations, OnduloNoneOncePlaying) {
    ExpectNoAllocationsOncePlaying<ondulo::NuvMfx>([](ondulo::NuvMfx& e) { e.retrigger = 1; });
}

TEST(Allocations, SloppetNoneOncePlaying) {
    ExpectNoAllocationsOncePlaying<sloppet::NuvMfx>([](sloppet::NuvMfx& e) {
        e.noteOnEnabled = e.noteOffEnabled = e.velocityEnabled = 1;
        e.preventSameNoteOverlap = e.preserveDifferentNoteOverlap = 1;
        e.noteOnAmount = e.noteOffAmount = 30;
    });
}

TEST(Allocations, GapkeeperNoneOncePlaying) {
    ExpectNoAllocationsOncePlaying<gapkeeper::NuvMfx>([](gapkeeper::NuvMfx&) {});
}

TEST(Allocations, VelocurveNoneOncePlaying) {
    ExpectNoAllocationsOncePlaying<velocurve::NuvMfx>([](velocurve::NuvMfx& e) { e.targetCtrlChng = 1; });
}

TEST(Allocations, WobbletonNoneOncePlaying) {
    ExpectNoAllocationsOncePlaying<wobbleton::NuvMfx>([](wobbleton::NuvMfx& e) { e.freq = 1.0f; });
}

}  // namespace
}  // namespace nuv

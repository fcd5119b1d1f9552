// Once a song has played through it, no engine allocates in any processing
// call (OnStart, OnEvents, OnInput, OnLoop, OnStop) of the same song played
// again: its buffers keep their capacity between calls and between songs.
// This program's operator new counts the allocations made during each call.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <new>

#include "plugins/gapkeeper/gapkeeper_effect.h"
#include "plugins/ondulo/ondulo_effect.h"
#include "plugins/shiftwell/shiftwell_effect.h"
#include "plugins/sloppet/sloppet_effect.h"
#include "plugins/velocurve/velocurve_effect.h"
#include "plugins/wobbleton/wobbleton_effect.h"
#include "tests/support/random_song.h"
#include "tools/host/services.h"

namespace {
long allocations = 0;  // one thread calls the engines
}  // namespace

void* operator new(std::size_t size) {
    ++allocations;
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace nuv {
namespace {

constexpr std::int32_t kSpan = 240;

// Plays 400 calls of a random song (lengths kept within a few beats, times
// within the song) with live input beside them: a key held over an empty
// pulse, released with a controller, then another pulse. With `counting`,
// every call must allocate nothing.
void PlaySong(IMfxEventFilter& effect, bool counting) {
    ComRef<host::EventQueue> out(new host::EventQueue);
    ComRef<host::DataQueue> liveOut(new host::DataQueue);
    out->Records().reserve(1 << 16);
    liveOut->Records().reserve(1 << 12);
    const auto call = [&](const char* name, const std::function<void()>& run) {
        out->Clear();
        liveOut->Clear();
        const long before = allocations;
        run();
        EXPECT_TRUE(!counting || allocations == before) << name << " allocated " << allocations - before;
    };
    testing::RandomSong song(11);
    call("OnStart", [&] { effect.OnStart(0, out.Get()); });
    for (std::int32_t c = 0; c < 400; ++c) {
        std::vector<HostEvent> events = song.NextCall(16);
        for (HostEvent& e : events) {
            if (e.time < 0 || e.time > 200000) e.time = c * kSpan;
            if (e.duration < 0 || e.duration > 2000) e.duration = 100;
        }
        const auto key = static_cast<std::uint8_t>(60 + c / 4 % 12);
        std::vector<HostData> live;
        if (c % 4 == 0) live = {testing::Message(0x90, key, 90, c)};
        if (c % 4 == 2) live = {testing::Message(0x80, key, 0, c), testing::Message(0xB0, 7, 64, c)};
        testing::EventCall in(std::move(events));
        testing::DataCall liveIn(std::move(live));
        call("OnEvents", [&] { effect.OnEvents(c * kSpan, c * kSpan + kSpan - 1, in.in.Get(), out.Get()); });
        call("OnInput", [&] { effect.OnInput(liveIn.in.Get(), liveOut.Get()); });
        if (c == 200) call("OnLoop", [&] { effect.OnLoop(0, c * kSpan, out.Get()); });
    }
    call("OnStop", [&] { effect.OnStop(0, out.Get()); });
}

template <class Effect>
void ExpectNoAllocationsOncePlaying(const std::function<void(Effect&)>& configure) {
    ComRef<host::HostContext> context(new host::HostContext);
    ComRef<Effect> effect(new Effect);
    ASSERT_EQ(effect->Connect(context.Get()), S_OK);
    configure(*effect);
    PlaySong(*effect, false);
    PlaySong(*effect, true);
    effect->Disconnect();
}

TEST(Allocations, AreCounted) {
    const long before = allocations;
    const std::vector<int> made(100, 1);
    EXPECT_EQ(allocations - before, 1);
}

TEST(Allocations, NoneInAnyEngineOncePlaying) {
    ExpectNoAllocationsOncePlaying<shiftwell::NuvMfx>([](shiftwell::NuvMfx& e) { e.shift = 5; });
    ExpectNoAllocationsOncePlaying<ondulo::NuvMfx>([](ondulo::NuvMfx& e) { e.retrigger = 1; });
    ExpectNoAllocationsOncePlaying<sloppet::NuvMfx>([](sloppet::NuvMfx& e) {
        e.noteOnEnabled = e.noteOffEnabled = e.velocityEnabled = 1;
        e.preventSameNoteOverlap = e.preserveDifferentNoteOverlap = 1;
    });
    ExpectNoAllocationsOncePlaying<gapkeeper::NuvMfx>([](gapkeeper::NuvMfx&) {});
    ExpectNoAllocationsOncePlaying<velocurve::NuvMfx>([](velocurve::NuvMfx& e) { e.targetCtrlChng = 1; });
    ExpectNoAllocationsOncePlaying<wobbleton::NuvMfx>([](wobbleton::NuvMfx& e) { e.freq = 1.0f; });
}

}  // namespace
}  // namespace nuv

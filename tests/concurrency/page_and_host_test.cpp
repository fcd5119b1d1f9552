// The page and the processing thread together. For each deliverable one
// thread plays the page as its controls do: every parameter the page writes,
// through the effect's parameter descriptions (under the settings lock), the
// dirty marking of the edits, the refresh timer's poll of the refresh flag and
// its re-read of every parameter, and the page's own work besides (learn
// requests, a dragged curve point, the wave graph's and the curve's repaints;
// fuzz/effect_kinds.cpp). Meanwhile a second thread, the host's, runs OnEvents
// and OnInput over a song and live input that reach every input the engines
// steer by.
//
// Under ThreadSanitizer (preset native-tsan) this shows every data race
// between the two threads; an allowed one would be named by function in
// tsan_suppressions.txt, which names none.
// Without it the test still checks that neither side stalls the other and that
// the effect ends usable.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

#include "fuzz/effect_kinds.h"
#include "fuzz/fuzz_input.h"
#include "platform/com_ref.h"
#include "tests/support/event_builders.h"
#include "tests/support/group_table_reset.h"
#include "tools/host/services.h"

#if defined(__SANITIZE_THREAD__)
// Every run of this program, by ctest or by hand, reads the allowed races and
// stops at the first other one.
extern "C" const char* __tsan_default_options() {
    return "suppressions=" NUV_TSAN_SUPPRESSIONS ":halt_on_error=1:second_deadlock_stack=1";
}
#endif

namespace nuv::concurrency {
namespace {

using fuzz::EffectKind;
using testing::ControlEvent;
using testing::Message;
using testing::NoteEvent;
using testing::WheelEvent;

constexpr std::int32_t kSpans = 300;          // host calls of each kind, at least
constexpr std::int32_t kSpanTicks = 240;
constexpr std::uint32_t kLeastPageSteps = 600;  // page steps, at least

// One span of a song: notes of changing keys, lengths and velocities,
// controllers whose numbers run through 0..127 (so that whatever numbers the
// page gives NuvOndulo's steering inputs, the song steers them), pressures
// and the wheel.
std::vector<HostEvent> SongSpan(std::int32_t k) {
    const std::int32_t from = k * kSpanTicks;
    const auto key = static_cast<std::uint8_t>(36 + (k * 7) % 48);
    const auto velocity = static_cast<std::uint8_t>(1 + (k * 37) % 127);
    std::vector<HostEvent> events = {
        NoteEvent(from, key, velocity, 60 + (k * 53) % 400),
        NoteEvent(from + 30, key, velocity, 100),
        NoteEvent(from + 30, static_cast<std::uint8_t>(key + 4), 0, 50),
        ControlEvent(from + 60, static_cast<std::uint8_t>((k * 37) % 128), static_cast<std::uint8_t>((k * 11) % 128)),
        ControlEvent(from + 61, static_cast<std::uint8_t>(1 + k % 10), static_cast<std::uint8_t>((k * 29) % 128)),
        WheelEvent(from + 90, static_cast<std::int16_t>((k * 97) % 8192 - 4096)),
    };
    HostEvent pressure = ControlEvent(from + 120, key, velocity);
    pressure.kind = k % 2 == 0 ? KeyAft : ChanAft;
    events.push_back(pressure);
    return events;
}

// One batch of live input: a note held and released in turn, a controller,
// a pressure; every third batch is an empty pulse.
std::vector<HostData> LiveBatch(std::int32_t k) {
    if (k % 3 == 2) return {};
    const auto key = static_cast<std::uint8_t>(48 + k % 24);
    return {Message(static_cast<std::uint8_t>(k % 2 == 0 ? 0x90 : 0x80), key, 100, k),
            Message(0xB0, static_cast<std::uint8_t>((k * 41) % 128), static_cast<std::uint8_t>((k * 13) % 128), k),
            Message(0xA0, key, static_cast<std::uint8_t>(k % 128), k)};
}

// Each side goes on until both have done their least number of steps, so
// that the two overlap however the threads are scheduled.
struct Progress {
    std::atomic<bool> hostDidEnough{false};
    std::atomic<bool> pageDidEnough{false};
};

void PlayHost(NuvMfxShell& effect, Progress& progress) {
    for (std::int32_t k = 0;; ++k) {
        if (k >= kSpans) {
            progress.hostDidEnough = true;
            if (progress.pageDidEnough) break;
        }
        testing::EventCall song(SongSpan(k));
        effect.OnEvents(k * kSpanTicks, k * kSpanTicks + kSpanTicks - 1, song.in.Get(), song.out.Get());
        testing::DataCall live(LiveBatch(k));
        effect.OnInput(live.in.Get(), live.out.Get());
    }
}

// The page: each step sets one parameter to one of its values and marks the
// edit as the page does for a saved parameter; every third step the refresh
// timer ticks, every fifth the page does its own work.
void PlayPage(const EffectKind& kind, NuvMfxShell& effect, Progress& progress) {
    const ParameterList parameters = kind.parameters();
    for (std::uint32_t step = 0;; ++step) {
        if (step >= kLeastPageSteps) {
            progress.pageDidEnough = true;
            if (progress.hostDidEnough) break;
        }
        const ParameterDescription& p = parameters[step % parameters.size()];
        p.set(effect, fuzz::AllowedValue(p, step * 2654435761u));
        if (p.saved) effect.dirtyFlag = 1;
        if (step % 3 == 0 && effect.refreshFlag.Exchange(0) != 0)
            for (const ParameterDescription& shown : parameters) shown.get(effect);
        if (step % 5 == 0 && kind.pageWork != nullptr) {
            const std::uint8_t work[] = {static_cast<std::uint8_t>(step / 5), 0, static_cast<std::uint8_t>(step),
                                         0, static_cast<std::uint8_t>(step / 3)};
            fuzz::FuzzInput input(work, sizeof work);
            kind.pageWork(effect, input);
        }
    }
}

class PageAndHost : public ::testing::TestWithParam<EffectKind> {
protected:
    void SetUp() override { testing::ResetGroupTable(); }
    void TearDown() override { testing::ResetGroupTable(); }
};

TEST_P(PageAndHost, RunTogetherAndLeaveTheEffectUsable) {
    const EffectKind& kind = GetParam();
    ComRef<NuvMfxShell> effect(kind.make());
    ComRef<host::HostContext> context(new host::HostContext);
    ASSERT_EQ(effect->Connect(context.Get()), S_OK);

    Progress progress;
    std::thread host([&] { PlayHost(*effect, progress); });
    PlayPage(kind, *effect, progress);
    host.join();

    // Both sides are done: the effect still saves its whole stream and takes
    // it back.
    const std::vector<std::uint8_t> saved = testing::SavedBytes(*effect);
    EXPECT_EQ(saved.size(), effect->Ids().streamSize);
    EXPECT_EQ(testing::LoadBytes(*effect, saved), S_OK);
    EXPECT_EQ(effect->Disconnect(), S_OK);
    EXPECT_FALSE(context->pulse->running) << "pulses began and were never ended";
}

INSTANTIATE_TEST_SUITE_P(Six, PageAndHost, ::testing::ValuesIn(fuzz::EffectKinds()),
                         [](const ::testing::TestParamInfo<EffectKind>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace nuv::concurrency

namespace nuv::fuzz {
// How test listings name a parameter of the suite.
void PrintTo(const EffectKind& kind, std::ostream* out) { *out << kind.name; }
}  // namespace nuv::fuzz

// A connected NuvSloppet effect at 960 ticks per quarter note, and the means
// to make its next random draws give chosen offsets.
#pragma once

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "framework/random_source.h"
#include "plugins/sloppet/sloppet_effect.h"
#include "tests/support/event_builders.h"
#include "tools/host/services.h"

namespace nuv::sloppet {

// Timing windows at 960 ticks: amount 10 gives 95 ticks (offsets -47..47),
// amount 40 gives 383 (offsets -191..191); velocity amount 40 gives a range of
// 100 (deltas -50..49).
constexpr std::int32_t kTimebase = 960;
constexpr std::int32_t kWindow95 = 95;
constexpr std::int32_t kWindow383 = 383;
constexpr std::int32_t kVelocityRange100 = 100;

// The first seed whose successive draws give these offsets, each as
// (draw mod window) - window / 2 for its window.
inline std::uint32_t SeedGiving(const std::vector<std::pair<std::int32_t, std::int32_t>>& windowsAndOffsets) {
    for (std::uint32_t seed = 1; seed < 50000000u; ++seed) {
        RandomSource source(seed);
        bool all = true;
        for (const auto& [window, offset] : windowsAndOffsets)
            if (source.Next() % window - window / 2 != offset) {
                all = false;
                break;
            }
        if (all) return seed;
    }
    ADD_FAILURE() << "no seed found";
    return 0;
}

class SloppetTest : public ::testing::Test {
protected:
    void SetUp() override {
        context->time->timebase = kTimebase;
        ASSERT_EQ(effect->Connect(context.Get()), S_OK);
    }

    // Makes the effect's next draws give these offsets.
    void NextOffsets(const std::vector<std::pair<std::int32_t, std::int32_t>>& windowsAndOffsets) {
        effect->Random().Seed(SeedGiving(windowsAndOffsets));
    }

    // Records notes as the history would see them, without randomising or
    // drawing: the effect is off for this call.
    void Record(std::vector<HostEvent> notes) {
        effect->enabled = 0;
        nuv::testing::RunEvents(*effect, std::move(notes));
        effect->enabled = 1;
    }

    // Runs one call and returns the one note that comes out.
    HostEvent RunOne(const HostEvent& note) {
        const auto out = nuv::testing::RunEvents(*effect, {note});
        EXPECT_EQ(out.size(), 1u);
        return out.empty() ? HostEvent{} : out[0];
    }

    ComRef<host::HostContext> context{new host::HostContext};
    ComRef<NuvMfx> effect = nuv::testing::MakeEffect<NuvMfx>();
};

}  // namespace nuv::sloppet

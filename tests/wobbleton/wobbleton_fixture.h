// A NuvWobbleton effect connected to a substitute host, and the cycles a
// fresh effect builds in turn, rebuilt independently so that tests can say
// which table entry each wheel value comes from.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "plugins/wobbleton/wobbleton_effect.h"
#include "tests/support/event_builders.h"
#include "tools/host/services.h"

namespace nuv::wobbleton {

// The effect's random sequence replayed: Connect builds the first cycle,
// then each Next(fresh) builds one more, starting at the centre when `fresh`
// (a note reaching past the covered end) or continuing from the last one.
class ReferenceCycles {
public:
    ReferenceCycles() { Next(false); }
    const WheelCycle& Next(bool fresh, float amp = kDefaultAmp, float freq = kDefaultFreq) {
        if (fresh) cycle_->lastCurveValue = kNoCurveValue;
        cycle_->Build(amp, freq, random_);
        cycle_->CompleteTable();
        return *cycle_;
    }
    // The signed wheel value of entry `pos`, as playback writes it.
    std::int16_t Value(std::int32_t pos) const {
        return static_cast<std::int16_t>(static_cast<std::int32_t>(cycle_->modTable[pos].y - kWheelCentre));
    }
    const WheelCycle& Current() const { return *cycle_; }

private:
    RandomSource random_{kRandomSeed};
    std::unique_ptr<WheelCycle> cycle_ = std::make_unique<WheelCycle>();
};

class WobbletonTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(effect->Connect(context.Get()), S_OK); }
    void TearDown() override { effect->Disconnect(); }

    ComRef<host::HostContext> context{new host::HostContext};
    ComRef<NuvMfx> effect = nuv::testing::MakeEffect<NuvMfx>();
};

}  // namespace nuv::wobbleton

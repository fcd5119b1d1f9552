// A NuvOndulo effect connected to a substitute host at 960 ticks per beat,
// and readers for what it writes.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "plugins/ondulo/ondulo_effect.h"
#include "tests/support/event_builders.h"
#include "tools/host/services.h"

namespace nuv::ondulo {

// (time, value) of a written controller.
using TimedValue = std::pair<std::int32_t, int>;

inline std::vector<TimedValue> ControllersOf(const std::vector<HostEvent>& events, int number = 7) {
    std::vector<TimedValue> found;
    for (const HostEvent& e : events)
        if (e.kind == Control && e.number == number) found.emplace_back(std::int32_t{e.time}, e.value);
    return found;
}

inline std::vector<TimedValue> ControllersOf(const std::vector<HostData>& messages, int number = 7) {
    std::vector<TimedValue> found;
    for (const HostData& m : messages)
        if ((m.status & 0xF0) == kStatusControl && m.data1 == number) found.emplace_back(m.time, m.data2);
    return found;
}

class OnduloTest : public ::testing::Test {
protected:
    void SetUp() override {
        context->time->timebase = 960;
        ASSERT_EQ(effect->Connect(context.Get()), S_OK);
    }
    void TearDown() override { effect->Disconnect(); }

    std::vector<HostEvent> Play(std::vector<HostEvent> input, std::int32_t from, std::int32_t thru) {
        return nuv::testing::RunEvents(*effect, std::move(input), from, thru);
    }
    std::vector<HostData> Live(std::vector<HostData> input) {
        return nuv::testing::RunInput(*effect, std::move(input));
    }

    ComRef<host::HostContext> context{new host::HostContext};
    ComRef<NuvMfx> effect = nuv::testing::MakeEffect<NuvMfx>();
};

}  // namespace nuv::ondulo

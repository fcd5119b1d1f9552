// Live input: pulses while keys are held, wheel data on each pulse, the
// centre message after the last key, and the pulse bookkeeping of Connect,
// Disconnect and the on/off switch.
#include <cstring>

#include "tests/wobbleton/wobbleton_fixture.h"

namespace nuv::wobbleton {
namespace {

using nuv::testing::Message;
using nuv::testing::RunInput;

HostData WheelData(std::int32_t time, float absolute) {
    const auto v = static_cast<std::int32_t>(absolute);
    return Message(0xE0, static_cast<std::uint8_t>(v & 0x7F), static_cast<std::uint8_t>((v >> 7) & 0x7F), time);
}

std::vector<std::uint64_t> Raw(const std::vector<HostData>& records) {
    std::vector<std::uint64_t> raw;
    for (const HostData& d : records) {
        std::uint64_t u;
        std::memcpy(&u, &d, sizeof(u));
        raw.push_back(u);
    }
    return raw;
}

class LiveInput : public WobbletonTest {
protected:
    void SetUp() override {
        context->time->ticksPerPeriod = 120;  // one pulse: values at +0, +40, +80
        WobbletonTest::SetUp();
    }
    ReferenceCycles cycles;  // the cycle of Connect
    const host::PulseService& pulse() const { return *context->pulse; }
};

TEST_F(LiveInput, HeldKeysGetWheelDataOnEveryPulse) {
    const auto& table = cycles.Current().modTable;
    EXPECT_EQ(pulse().begins, 0);  // the host offers the aux service
    auto out = RunInput(*effect, {Message(0x90, 60, 100, 1000)});
    EXPECT_EQ(pulse().begins, 1);
    EXPECT_EQ(Raw(out), Raw({Message(0x90, 60, 100, 1000), WheelData(1000, table[0].y), WheelData(1040, table[40].y),
                             WheelData(1080, table[80].y)}));
    // A pulse brings no input: its values count from time 0.
    EXPECT_EQ(Raw(RunInput(*effect, {})), Raw({WheelData(0, table[120].y), WheelData(40, table[160].y),
                                               WheelData(80, table[200].y)}));
    // A second key changes only the count.
    RunInput(*effect, {Message(0x91, 64, 90, 1100)});
    EXPECT_EQ(pulse().begins, 1);
    EXPECT_EQ(effect->heldNotes, 2);

    out = RunInput(*effect, {Message(0x80, 60, 0, 1200)});
    EXPECT_EQ(out.size(), 4u);  // one key still held
    out = RunInput(*effect, {Message(0x91, 64, 0, 1300)});
    EXPECT_EQ(Raw(out), Raw({Message(0x91, 64, 0, 1300), Message(0xE0, 0x00, 0x40, 1300)}));
    EXPECT_EQ(pulse().ends, 1);
    EXPECT_FALSE(pulse().running);
    EXPECT_TRUE(RunInput(*effect, {}).empty());
}

TEST_F(LiveInput, TableRunsOnIntoANewCycle) {
    RunInput(*effect, {Message(0x90, 60, 100)});  // entries 0, 40, 80
    for (int pulse = 0; pulse < 33; ++pulse) RunInput(*effect, {});  // up to entry 4040
    const auto out = RunInput(*effect, {});
    cycles.Next(false);
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(out[1].data1 | out[1].data2 << 7, static_cast<int>(cycles.Current().modTable[0].y));
    EXPECT_EQ(effect->cycle.tablePos, 80);
}

TEST_F(LiveInput, DisabledCopiesAndTheSwitchDrivesThePulses) {
    RunInput(*effect, {Message(0x90, 60, 100)});
    effect->SwitchEnabled(false);
    EXPECT_EQ(pulse().ends, 1);
    EXPECT_EQ(effect->enabled, 0);
    EXPECT_EQ(RunInput(*effect, {Message(0x80, 60, 0)}).size(), 1u);
    effect->SwitchEnabled(true);
    effect->SwitchEnabled(true);
    EXPECT_EQ(pulse().begins, 2);
}

TEST_F(LiveInput, ConnectionStartsAndEndsPulses) {
    ComRef<host::HostContext> plain(new host::HostContext);
    plain->offerAux = false;
    auto other = nuv::testing::MakeEffect<NuvMfx>();
    ASSERT_EQ(other->Connect(plain.Get()), S_OK);
    EXPECT_EQ(plain->pulse->begins, 1);  // no aux service: pulses from the start
    EXPECT_FALSE(other->cycle.breakpoints.empty());
    EXPECT_EQ(other->Disconnect(), S_OK);
    EXPECT_EQ(plain->pulse->ends, 1);
    EXPECT_FALSE(other->pulses.Running());
    EXPECT_TRUE(other->cycle.breakpoints.empty());

    plain->offerPulse = false;
    EXPECT_EQ(other->Connect(plain.Get()), E_FAIL);
    EXPECT_EQ(plain->pulse->begins, 1);
    EXPECT_EQ(other->cycle.breakpoints.size(), 5u);  // a cycle all the same
}

TEST_F(LiveInput, StopAndStartForgetTheKeys) {
    RunInput(*effect, {Message(0x90, 60, 100)});
    effect->OnStop(0, nullptr);
    EXPECT_TRUE(RunInput(*effect, {}).empty());
    RunInput(*effect, {Message(0x90, 60, 100)});
    effect->OnLoop(480, 960, nullptr);
    EXPECT_EQ(effect->lastLiveTime, 480);
    EXPECT_EQ(effect->heldNotes, 0);
}

}  // namespace
}  // namespace nuv::wobbleton

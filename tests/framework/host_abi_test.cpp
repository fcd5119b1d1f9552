// The host's records and interface slots as the host sees them: records read
// from the bytes a host writes, and each operation at its slot number, called
// through a plain table of stdcall function pointers as a C host would.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>

#include "framework/host_types.h"
#include "framework/random_source.h"
#include "tests/support/event_builders.h"
#include "tools/host/services.h"

namespace nuv {
namespace {

// The static_asserts hold the offsets; this holds the byte order: a record
// as a host writes it, byte by byte, reads back field by field.
TEST(HostAbi, RecordsReadAsTheHostWritesThemByteByByte) {
    const std::uint8_t eventBytes[17] = {0x04, 0x03, 0x02, 0x81, 5, 6, 2, 0, 0, 0, 60, 100, 64, 0x10, 0x20, 0, 0};
    HostEvent e{};
    std::memcpy(&e, eventBytes, sizeof e);
    EXPECT_EQ(+e.time, static_cast<std::int32_t>(0x81020304u));  // unary plus: packed fields are read by value
    EXPECT_EQ(e.port, 5);
    EXPECT_EQ(e.channel, 6);
    EXPECT_EQ(+e.kind, Control);
    EXPECT_EQ(e.number, 60);
    EXPECT_EQ(e.value, 100);
    EXPECT_EQ(e.release, 64);
    EXPECT_EQ(+e.duration, 0x2010);

    const std::uint8_t dataBytes[8] = {0xE8, 0x03, 0, 0, 0x91, 64, 100, 0};
    HostData d{};
    std::memcpy(&d, dataBytes, sizeof d);
    EXPECT_EQ(d.time, 1000);
    EXPECT_EQ(MessageKind(d), kStatusNoteOn);
    EXPECT_EQ(MessageChannel(d), 1);
    EXPECT_TRUE(IsNoteStart(d));
    EXPECT_EQ(d.data1, 64);
}

TEST(HostAbi, WheelValueIsSignedLittleEndianAtByteTen) {
    HostEvent e = testing::WheelEvent(0, -2);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&e);
    EXPECT_EQ(bytes[10], 0xFE);
    EXPECT_EQ(bytes[11], 0xFF);
    EXPECT_EQ(WheelValue(e), -2);
    SetWheelValue(e, 8191);
    EXPECT_EQ(WheelValue(e), 8191);
    SetWheelValue(e, -8192);
    EXPECT_EQ(WheelValue(e), -8192);
}

#if defined(_WIN32)
#define NUV_TEST_STDCALL __stdcall
#else
#define NUV_TEST_STDCALL
#endif

// Calls the slot of an interface by number, the way a C host does.
template <class Ret, class... Args>
Ret CallSlot(void* object, int slot, Args... args) {
    using Fn = Ret(NUV_TEST_STDCALL*)(void*, Args...);
    void** table = *static_cast<void***>(object);
    return reinterpret_cast<Fn>(table[slot])(object, args...);
}

TEST(HostAbi, TimeServiceSlotsFourAndFive) {
    ComRef<host::TimeService> time(new host::TimeService);
    time->timebase = 960;
    time->ticksPerPeriod = 17;
    HostTimeService* face = time.Get();
    EXPECT_EQ((CallSlot<std::int32_t, std::int32_t>(face, 4, 10)), 17);
    EXPECT_EQ((CallSlot<std::int32_t>(face, 5)), 960);
}

TEST(HostAbi, PulseServiceSlotsThreeToFive) {
    ComRef<host::PulseService> pulse(new host::PulseService);
    pulse->period = 25;
    HostPulseService* face = pulse.Get();
    std::int32_t period = 0;
    EXPECT_EQ((CallSlot<HRESULT, std::int32_t*>(face, 3, &period)), S_OK);
    EXPECT_EQ(period, 25);
    EXPECT_EQ((CallSlot<HRESULT>(face, 4)), S_OK);
    EXPECT_TRUE(pulse->running);
    EXPECT_EQ((CallSlot<HRESULT>(face, 5)), S_OK);
    EXPECT_FALSE(pulse->running);
}

TEST(HostAbi, EventQueueSlotsAddCountGetAt) {
    ComRef<host::EventQueue> queue(new host::EventQueue);
    HostEventQueue* face = queue.Get();
    const HostEvent e = testing::NoteEvent(5, 60, 100, 10);
    EXPECT_EQ((CallSlot<HRESULT, const HostEvent*>(face, 3, &e)), S_OK);
    std::int32_t count = 0;
    EXPECT_EQ((CallSlot<HRESULT, std::int32_t*>(face, 4, &count)), S_OK);
    EXPECT_EQ(count, 1);
    HostEvent back{};
    EXPECT_EQ((CallSlot<HRESULT, std::int32_t, HostEvent*>(face, 5, 0, &back)), S_OK);
    EXPECT_EQ(+back.time, 5);  // unary plus: packed fields are read by value
    EXPECT_EQ(+back.duration, 10);
}

TEST(HostAbi, ReadingRulesCountOnceAndSkipUnreadable) {
    ComRef<host::EventQueue> queue(new host::EventQueue(
        {testing::ControlEvent(0, 1, 1), testing::ControlEvent(1, 2, 2), testing::ControlEvent(2, 3, 3)}));
    queue->FailGetAt(1);
    queue->OverstateCount(2);
    std::vector<std::int32_t> seen;
    ForEachEvent(queue.Get(), [&](const HostEvent& e) { seen.push_back(e.time); });
    EXPECT_EQ(seen, (std::vector<std::int32_t>{0, 2}));
    EXPECT_EQ(queue->CountCalls(), 1);
    queue->FailGetCount();
    seen.clear();
    ForEachEvent(queue.Get(), [&](const HostEvent& e) { seen.push_back(e.time); });
    EXPECT_TRUE(seen.empty());
}

TEST(RandomSourceSequence, MatchesTheWindowsRuntime) {
    // srand(1) and the first draws of the Windows C runtime's rand().
    RandomSource source(1);
    EXPECT_EQ(source.Next(), 41);
    EXPECT_EQ(source.Next(), 18467);
    EXPECT_EQ(source.Next(), 6334);
    EXPECT_EQ(source.Next(), 26500);
    EXPECT_EQ(source.Next(), 19169);
    source.Seed(4);
    const std::int32_t first = source.Next();
    source.Seed(4);
    EXPECT_EQ(source.Next(), first);
    for (int i = 0; i < 10000; ++i) {
        const std::int32_t v = source.Next();
        ASSERT_GE(v, 0);
        ASSERT_LE(v, RandomSource::kMax);
    }
}

}  // namespace
}  // namespace nuv

// The host's pulses switched from two threads at once (a page's on/off
// button and live input): each real change calls the host exactly once.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "framework/live_pulses.h"
#include "platform/com_object.h"

namespace nuv {
namespace {

class CountingPulses final : public ComObject<HostPulseService> {
public:
    HRESULT STDMETHODCALLTYPE GetPeriod(std::int32_t*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE BeginPulses() override { return ++begins, S_OK; }
    HRESULT STDMETHODCALLTYPE EndPulses() override { return ++ends, S_OK; }
    std::atomic<int> begins{0};
    std::atomic<int> ends{0};
};

TEST(LivePulses, TwoThreadsSwitchingAtOnceCallTheHostOncePerChange) {
    ComRef<HostPulseService> service(new CountingPulses);
    auto& counts = static_cast<CountingPulses&>(*service.Get());
    LivePulses pulses(service);
    constexpr int kRounds = 2000;
    std::atomic<int> arrived{0};
    const auto run = [&] {  // both threads begin, then both end, in each round, meeting before each step
        for (int step = 1; step <= 2 * kRounds; ++step) {
            arrived.fetch_add(1);
            while (arrived.load() < 2 * step) std::this_thread::yield();
            step % 2 == 1 ? pulses.Begin() : pulses.End();
        }
    };
    std::thread other(run);
    run();
    other.join();
    EXPECT_EQ(counts.begins.load(), kRounds);
    EXPECT_EQ(counts.ends.load(), kRounds);
    EXPECT_FALSE(pulses.Running());
}

}  // namespace
}  // namespace nuv

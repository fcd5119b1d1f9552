// The substitute host's playing of a track: the calls in their order, the
// timebase it answers, spans that cover the song without gaps, each event
// handed over in the span of its time, and every output collected.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/event_builders.h"
#include "platform/com_object.h"
#include "platform/com_ref.h"
#include "tools/host/host_session.h"

namespace nuv::host {
namespace {

using nuv::testing::ControlEvent;
using nuv::testing::NoteEvent;

// Records every call; adds one controller in OnStart and OnStop and copies
// its input.
class RecordingFilter : public ComObject<IMfxEventFilter> {
public:
    HRESULT STDMETHODCALLTYPE Connect(IUnknown* context) override {
        calls.push_back("Connect");
        HostTimeService* time = nullptr;
        if (FAILED(context->QueryInterface(IID_HostTimeService, reinterpret_cast<void**>(&time)))) return E_FAIL;
        timebase = time->GetTimebase();
        time->Release();
        return refuse ? E_FAIL : S_OK;
    }
    HRESULT STDMETHODCALLTYPE Disconnect() override {
        calls.push_back("Disconnect");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnStart(std::int32_t, HostEventQueue* out) override {
        calls.push_back("OnStart");
        const HostEvent e = ControlEvent(0, 1, 1);
        out->Add(&e);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnLoop(std::int32_t, std::int32_t, HostEventQueue*) override {
        calls.push_back("OnLoop");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnStop(std::int32_t time, HostEventQueue* out) override {
        calls.push_back("OnStop");
        stopTime = time;
        const HostEvent e = ControlEvent(time, 2, 2);
        out->Add(&e);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnEvents(std::int32_t from, std::int32_t thru, HostEventQueue* in,
                                       HostEventQueue* out) override {
        if (calls.back() != "OnEvents") calls.push_back("OnEvents");
        spans.push_back({from, thru});
        ForEachEvent(in, [&](const HostEvent& e) {
            EXPECT_GE(e.time, from);
            EXPECT_LE(e.time, thru);
            out->Add(&e);
        });
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnInput(HostDataQueue*, HostDataQueue*) override {
        calls.push_back("OnInput");
        return S_OK;
    }

    std::vector<std::string> calls;
    std::vector<std::pair<std::int32_t, std::int32_t>> spans;
    std::int32_t timebase = 0;
    std::int32_t stopTime = -1;
    bool refuse = false;
};

TEST(HostSession, PlaysTheSongSpanBySpanBetweenStartAndStop) {
    ComRef<RecordingFilter> filter(new RecordingFilter);
    const std::vector<HostEvent> input = {NoteEvent(0, 60, 90, 100), NoteEvent(95, 62, 90, 10),
                                          ControlEvent(96, 7, 100), NoteEvent(250, 64, 90, 50)};
    SessionSettings settings;
    settings.timebase = 96;
    settings.span = 96;
    std::size_t observed = 0;
    const SessionResult r = PlayTrack(*filter, input, 300, settings,
                                      [&](const std::vector<HostEvent>&, const std::vector<HostEvent>& out) {
                                          observed += out.size();
                                      },
                                      [&] { filter->calls.push_back("after Connect"); });
    ASSERT_TRUE(r.Connected());
    EXPECT_EQ(filter->calls, (std::vector<std::string>{"Connect", "after Connect", "OnStart", "OnEvents", "OnStop",
                                                       "Disconnect"}));
    EXPECT_EQ(filter->timebase, 96);
    EXPECT_EQ(filter->spans, (std::vector<std::pair<std::int32_t, std::int32_t>>{
                                 {0, 95}, {96, 191}, {192, 287}, {288, 383}}));
    EXPECT_EQ(filter->stopTime, 300);
    ASSERT_EQ(r.output.size(), 6u);  // the start's controller, the four events, the stop's controller
    EXPECT_EQ(+r.output.front().number, 1);
    EXPECT_EQ(+r.output.back().number, 2);
    EXPECT_EQ(observed, 6u);
}

TEST(HostSession, ARefusedConnectionPlaysNothing) {
    ComRef<RecordingFilter> filter(new RecordingFilter);
    filter->refuse = true;
    const SessionResult r = PlayTrack(*filter, {NoteEvent(0, 60, 90, 100)}, 100, {}, nullptr,
                                      [&] { filter->calls.push_back("after Connect"); });
    EXPECT_FALSE(r.Connected());
    EXPECT_EQ(r.connect, E_FAIL);
    EXPECT_EQ(filter->calls, (std::vector<std::string>{"Connect"}));
    EXPECT_TRUE(r.output.empty());
}

TEST(HostSession, SpanCountCoversTheLastTick) {
    EXPECT_EQ(SpanCount(0, 480), 1);
    EXPECT_EQ(SpanCount(479, 480), 1);
    EXPECT_EQ(SpanCount(480, 480), 2);
    EXPECT_EQ(SpanCount(0x7FFFFFFF, 1), 0x80000000LL);
}

}  // namespace
}  // namespace nuv::host

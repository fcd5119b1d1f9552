#include "tools/host/host_session.h"

#include <algorithm>

#include "platform/com_ref.h"
#include "tools/host/queues.h"
#include "tools/host/services.h"

namespace nuv::host {

std::int64_t SpanCount(std::uint32_t lastTick, std::int32_t span) {
    return static_cast<std::int64_t>(lastTick) / std::max(span, 1) + 1;
}

namespace {

void Collect(host::EventQueue& out, std::vector<HostEvent>& into) {
    into.insert(into.end(), out.Records().begin(), out.Records().end());
    out.Clear();
}

}  // namespace

SessionResult PlayTrack(IMfxEventFilter& effect, const std::vector<HostEvent>& input, std::uint32_t lastTick,
                        const SessionSettings& settings, const SpanObserver& observe,
                        const std::function<void()>& afterConnect) {
    SessionResult result;
    ComRef<host::HostContext> context(new host::HostContext);
    context->time->timebase = settings.timebase;
    result.connect = effect.Connect(context.Get());
    if (!result.Connected()) return result;
    if (afterConnect) afterConnect();

    // One pair of queues serves every call, emptied in between.
    ComRef<host::EventQueue> in(new host::EventQueue);
    ComRef<host::EventQueue> out(new host::EventQueue);
    const std::vector<HostEvent> nothing;
    effect.OnStart(0, out.Get());
    if (observe) observe(nothing, out->Records());
    Collect(*out, result.output);

    const std::int64_t span = std::max(settings.span, 1);
    std::size_t next = 0;
    const std::int64_t spans = SpanCount(lastTick, settings.span);
    for (std::int64_t k = 0; k < spans; ++k) {
        const std::int64_t from = k * span;
        const std::int64_t thru = std::min<std::int64_t>(from + span - 1, INT32_MAX);
        in->Clear();
        while (next < input.size() && input[next].time <= thru) in->Records().push_back(input[next++]);
        effect.OnEvents(static_cast<std::int32_t>(from), static_cast<std::int32_t>(thru), in.Get(), out.Get());
        if (observe) observe(in->Records(), out->Records());
        Collect(*out, result.output);
    }

    effect.OnStop(static_cast<std::int32_t>(lastTick), out.Get());
    if (observe) observe(nothing, out->Records());
    Collect(*out, result.output);
    effect.Disconnect();
    return result;
}

}  // namespace nuv::host

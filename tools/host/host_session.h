// Plays one track's song events through an effect as a host does: Connect with
// a context whose time service answers the file's timebase, whatever the
// caller does once connected (a host loads the stored settings), OnStart, OnEvents
// span by span over the whole song (each span's events in one input queue),
// OnStop, Disconnect. Whatever the effect adds to an output queue, in any of
// these calls, is the track's result.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/host_types.h"

namespace nuv::host {

// Spans beyond this many are refused rather than run: a long song with a tiny
// span would otherwise keep the tool busy for hours.
constexpr std::int64_t kMostSpans = 20'000'000;

struct SessionSettings {
    std::int32_t timebase = 480;  // ticks per quarter note
    std::int32_t span = 480;      // ticks per OnEvents call
};

// Sees each OnEvents call's input and output, for the summary.
using SpanObserver = std::function<void(const std::vector<HostEvent>& in, const std::vector<HostEvent>& out)>;

struct SessionResult {
    HRESULT connect = E_FAIL;  // Connect's answer; on a failure nothing was played
    std::vector<HostEvent> output;

    bool Connected() const { return SUCCEEDED(connect); }
};

// `input` is ordered by time. The song lasts through tick `lastTick`.
// `afterConnect`, when given, runs once Connect has succeeded, before OnStart.
// The calling thread is the host thread of every call.
SessionResult PlayTrack(IMfxEventFilter& effect, const std::vector<HostEvent>& input, std::uint32_t lastTick,
                        const SessionSettings& settings, const SpanObserver& observe,
                        const std::function<void()>& afterConnect = {});

// How many OnEvents calls a song of `lastTick` ticks takes.
std::int64_t SpanCount(std::uint32_t lastTick, std::int32_t span);

}  // namespace nuv::host

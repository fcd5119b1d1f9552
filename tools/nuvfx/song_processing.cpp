#include "tools/nuvfx/song_processing.h"

#include <algorithm>

#include "tools/host/host_session.h"
#include "tools/nuvfx/file_io.h"
#include "tools/nuvfx/track_events.h"
#include "tools/smf/smf_writer.h"

namespace nuv::nuvfx {
namespace {

using host::kMostSpans;
using host::PlayTrack;
using host::SessionResult;
using host::SessionSettings;
using host::SpanCount;

smf::Track PlayOneTrack(const smf::Track& track, const InstanceMaker& makeInstance, const SessionSettings& settings,
                        SongSummary& summary) {
    SplitTrack split = Split(track);
    summary.unendedNotes += split.unendedNotes;
    summary.unmatchedNoteOffs += split.unmatchedNoteOffs;
    summary.keptEvents += static_cast<std::int64_t>(split.kept.size());
    if (split.filterable.empty()) {
        ++summary.tracksCopied;
        return track;
    }
    ++summary.tracksPlayed;
    std::stable_sort(split.filterable.begin(), split.filterable.end(),
                     [](const HostEvent& a, const HostEvent& b) { return a.time < b.time; });
    const std::uint32_t lastTick = split.LastTick();
    if (SpanCount(lastTick, settings.span) > kMostSpans)
        throw ToolError("the song lasts " + std::to_string(lastTick) + " ticks: spans of " +
                        std::to_string(settings.span) + " ticks would take more than " +
                        std::to_string(kMostSpans) + " calls; give a longer --span");
    std::unique_ptr<EffectInstance> instance = makeInstance();
    const SessionResult played = PlayTrack(instance->Filter(), split.filterable, lastTick, settings,
                                           [&summary](const std::vector<HostEvent>& in,
                                                      const std::vector<HostEvent>& out) { summary.AddSpan(in, out); });
    if (!played.Connected()) throw ToolError("the effect refused the connection to the host");
    MergeCounts counts;
    smf::Track merged = Merge(played.output, split.kept, track.endTick, counts);
    summary.clampedTimes += counts.clampedTimes;
    summary.clampedValues += counts.clampedValues;
    return merged;
}

}  // namespace

EffectPass ApplyEffect(const smf::File& song, const InstanceMaker& makeInstance, std::int32_t span) {
    SessionSettings settings;
    settings.timebase = song.division;
    settings.span = span > 0 ? span : song.division;

    EffectPass pass;
    pass.song.format = song.format;
    pass.song.division = song.division;
    for (const smf::Track& track : song.tracks) {
        SongSummary counts;
        pass.song.tracks.push_back(PlayOneTrack(track, makeInstance, settings, counts));
        pass.total += counts;
        pass.tracks.push_back(counts);
    }
    try {
        pass.bytes = smf::WriteSmf(pass.song);
    } catch (const smf::SmfError& e) {
        throw ToolError("cannot make the output file: " + std::string(e.what()));
    }
    return pass;
}

}  // namespace nuv::nuvfx

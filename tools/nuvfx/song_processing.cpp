#include "tools/nuvfx/song_processing.h"

#include <algorithm>

#include "tools/nuvfx/file_io.h"
#include "tools/host/host_session.h"
#include "tools/nuvfx/song_summary.h"
#include "tools/nuvfx/track_events.h"
#include "tools/smf/smf_reader.h"
#include "tools/smf/smf_writer.h"
#include "tools/smf/tempo_map.h"

namespace nuv::nuvfx {
namespace {

using host::kMostSpans;
using host::PlayTrack;
using host::SessionResult;
using host::SessionSettings;
using host::SpanCount;

smf::File ReadSong(const std::string& path) {
    const std::vector<std::uint8_t> bytes = ReadWholeFile(path);
    smf::File file;
    try {
        file = smf::ReadSmf(bytes);
    } catch (const smf::SmfError& e) {
        throw ToolError(path + ": malformed MIDI file: " + e.what());
    }
    if (!file.HasQuarterNoteDivision())
        throw ToolError(path + ": time code division is not supported (the effects need ticks per quarter note)");
    return file;
}

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

std::string ProcessSong(const SongRequest& request, const InstanceMaker& makeInstance) {
    const smf::File song = ReadSong(request.input);
    SessionSettings settings;
    settings.timebase = song.division;
    settings.span = request.span > 0 ? request.span : song.division;

    SongSummary summary;
    smf::File result;
    result.format = song.format;
    result.division = song.division;
    for (const smf::Track& track : song.tracks)
        result.tracks.push_back(PlayOneTrack(track, makeInstance, settings, summary));

    std::vector<std::uint8_t> bytes;
    try {
        bytes = smf::WriteSmf(result);
    } catch (const smf::SmfError& e) {
        throw ToolError("cannot make the output file: " + std::string(e.what()));
    }
    if (!request.dryRun) WriteFileSafely(request.output, bytes);

    SongFacts facts;
    facts.effect = request.effectName;
    facts.input = request.input;
    facts.output = request.dryRun ? "" : request.output;
    facts.format = song.format;
    facts.tracks = song.tracks.size();
    facts.timebase = song.division;
    const smf::TempoMap tempoIn(song), tempoOut(result);
    std::uint32_t endIn = 0, endOut = 0;
    for (const smf::Track& t : song.tracks) endIn = std::max(endIn, t.endTick);
    for (const smf::Track& t : result.tracks) endOut = std::max(endOut, t.endTick);
    facts.secondsIn = tempoIn.SecondsAt(endIn);
    facts.secondsOut = tempoOut.SecondsAt(endOut);
    facts.tempoEvents = tempoIn.TempoEvents();
    facts.seed = request.seedText;
    return FormatSummary(facts, summary);
}

}  // namespace nuv::nuvfx

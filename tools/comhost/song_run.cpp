#include "tools/comhost/song_run.h"

#include <algorithm>

#include "tools/host/memory_stream.h"
#include "tools/nuvfx/file_io.h"
#include "tools/host/host_session.h"
#include "tools/nuvfx/track_events.h"
#include "tools/smf/smf_reader.h"

namespace nuv::comhost {

Song ReadSong(const std::string& path) {
    const smf::File file = smf::ReadSmf(nuvfx::ReadWholeFile(path));
    Song song;
    if (file.HasQuarterNoteDivision()) song.ticksPerBeat = file.division;
    for (const smf::Track& track : file.tracks) {
        const nuvfx::SplitTrack split = nuvfx::Split(track);
        song.events.insert(song.events.end(), split.filterable.begin(), split.filterable.end());
        song.endTick = std::max(song.endTick, split.LastTick());
    }
    std::stable_sort(song.events.begin(), song.events.end(),
                     [](const HostEvent& a, const HostEvent& b) { return a.time < b.time; });
    return song;
}

RunResult RunSong(IUnknown* effect, const Song& song, const std::vector<std::uint8_t>& settings) {
    RunResult result;
    auto filter = QueryFace<IMfxEventFilter>(effect, IID_IMfxEventFilter);
    auto persist = QueryFace<IPersistStream>(effect, IID_IPersistStream);
    if (!filter || !persist) {
        result.connect = E_NOINTERFACE;
        return result;
    }
    host::SessionSettings session;
    session.timebase = song.ticksPerBeat;
    session.span = song.ticksPerBeat;
    host::SessionResult played = host::PlayTrack(*filter, song.events, song.endTick, session, nullptr, [&] {
        if (settings.empty()) return;
        ComRef<host::MemoryStream> stream(new host::MemoryStream(settings));
        result.load = persist->Load(stream.Get());
    });
    result.connect = played.connect;
    result.output = std::move(played.output);
    return result;
}

}  // namespace nuv::comhost

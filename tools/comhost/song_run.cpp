#include "tools/comhost/song_run.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "tools/host/memory_stream.h"
#include "tools/host/queues.h"
#include "tools/host/services.h"
#include "tools/nuvfx/track_events.h"
#include "tools/smf/smf_reader.h"

namespace nuv::comhost {

namespace {

template <class Face>
host::ComPtr<Face> Query(IUnknown* object, REFIID iid) {
    void* face = nullptr;
    if (FAILED(object->QueryInterface(iid, &face))) face = nullptr;
    return host::ComPtr<Face>(static_cast<Face*>(face));
}

}  // namespace

Song ReadSong(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot open " + path);
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const smf::File file = smf::ReadSmf(bytes);
    Song song;
    if (file.HasQuarterNoteDivision()) song.ticksPerBeat = file.division;
    for (const smf::Track& track : file.tracks) {
        const nuvfx::SplitTrack split = nuvfx::Split(track);
        song.events.insert(song.events.end(), split.filterable.begin(), split.filterable.end());
        song.endTick = std::max(song.endTick, static_cast<std::int32_t>(std::max(split.endTick, split.lastNoteEnd)));
    }
    std::stable_sort(song.events.begin(), song.events.end(),
                     [](const HostEvent& a, const HostEvent& b) { return a.time < b.time; });
    return song;
}

RunResult RunSong(IUnknown* effect, const Song& song, const std::vector<std::uint8_t>& settings) {
    RunResult result;
    auto filter = Query<IMfxEventFilter>(effect, IID_IMfxEventFilter);
    auto persist = Query<IPersistStream>(effect, IID_IPersistStream);
    if (!filter || !persist) {
        result.connect = E_NOINTERFACE;
        return result;
    }
    host::ComPtr<host::HostContext> context(new host::HostContext);
    context->time->timebase = song.ticksPerBeat;
    result.connect = filter->Connect(context.Get());
    if (!settings.empty()) {
        host::ComPtr<host::MemoryStream> stream(new host::MemoryStream(settings));
        result.load = persist->Load(stream.Get());
    }

    host::ComPtr<host::EventQueue> out(new host::EventQueue);
    filter->OnStart(0, out.Get());
    std::size_t next = 0;
    for (std::int32_t from = 0; from <= song.endTick; from += song.ticksPerBeat) {
        const std::int32_t thru = from + song.ticksPerBeat - 1;
        host::ComPtr<host::EventQueue> in(new host::EventQueue);
        while (next < song.events.size() && song.events[next].time <= thru) in->Records().push_back(song.events[next++]);
        filter->OnEvents(from, thru, in.Get(), out.Get());
    }
    filter->OnStop(song.endTick, out.Get());
    filter->Disconnect();
    result.output = out->Records();
    return result;
}

}  // namespace nuv::comhost

#include "tools/nuvfx/song_reading.h"

#include "tools/nuvfx/file_io.h"
#include "tools/smf/riff_midi.h"
#include "tools/smf/smf_reader.h"

namespace nuv::nuvfx {
namespace {

std::string TrackList(const std::vector<std::size_t>& tracks) {
    std::string out = tracks.size() == 1 ? "track " : "tracks ";
    for (std::size_t i = 0; i < tracks.size(); ++i) {
        if (i > 0) out += i + 1 == tracks.size() ? " and " : ", ";
        out += std::to_string(tracks[i]);
    }
    return out;
}

std::string MissingTracks(const smf::ReadDefects& d) {
    if (d.tracksFound >= d.tracksAnnounced) return "";
    const std::size_t first = d.tracksFound + 1;
    return (first == d.tracksAnnounced ? "track " + std::to_string(first)
                                       : "tracks " + std::to_string(first) + " to " + std::to_string(d.tracksAnnounced)) +
           " of " + std::to_string(d.tracksAnnounced) + " missing";
}

void AddDefectWarnings(const smf::ReadDefects& d, std::vector<std::string>& warnings) {
    if (!d.tracksWithoutEnd.empty()) {
        const bool one = d.tracksWithoutEnd.size() == 1;
        warnings.push_back(TrackList(d.tracksWithoutEnd) + (one ? " has" : " have") +
                           " no end of track: read to " + (one ? "its" : "their") + " last whole event");
    }
    if (!d.cutOff) return;
    const std::string missing = MissingTracks(d);
    if (d.cutTrack != 0) {
        warnings.push_back("the file is cut off inside track " + std::to_string(d.cutTrack) + " (" +
                           std::to_string(d.cutPresent) + " of " + std::to_string(d.cutAnnounced) +
                           " bytes): read to its last whole event" + (missing.empty() ? "" : "; " + missing));
    } else {
        warnings.push_back("the file is cut off after track " + std::to_string(d.tracksFound) + ": " + missing);
    }
}

}  // namespace

SongRead ReadSongBytes(const std::vector<std::uint8_t>& bytes, const std::string& name, bool strict) {
    SongRead read;
    const std::uint8_t* data = bytes.data();
    std::size_t size = bytes.size();
    try {
        if (smf::IsRiffMidi(data, size)) {
            if (strict)
                throw smf::SmfError("not a MIDI file: no MThd header chunk (a RIFF RMID wrapper around one; "
                                    "nuvfx reads it without --strict)");
            const smf::ByteRange inside = smf::MidiDataOfRiff(data, size);
            data += inside.begin;
            size = inside.end - inside.begin;
            read.warnings.push_back("a RIFF RMID file: read the MIDI file inside it");
        }
        smf::ReadDefects defects;
        read.file = smf::ReadSmf(data, size, smf::ReadOptions{!strict}, &defects);
        AddDefectWarnings(defects, read.warnings);
    } catch (const smf::SmfError& e) {
        throw ToolError(name + ": malformed MIDI file: " + e.what());
    }
    if (!read.file.HasQuarterNoteDivision())
        throw ToolError(name + ": time code division is not supported (the effects need ticks per quarter note)");
    return read;
}

SongRead ReadSongFile(const std::string& path, bool strict) { return ReadSongBytes(ReadWholeFile(path), path, strict); }

}  // namespace nuv::nuvfx

#include "tools/smf/smf_writer.h"

#include <string>

namespace nuv::smf {
namespace {

void PutBig(std::vector<std::uint8_t>& out, std::uint32_t v, int width) {
    for (int i = width - 1; i >= 0; --i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

void PutVariableLength(std::vector<std::uint8_t>& out, std::uint32_t v) {
    if (v > 0x0FFFFFFF) throw SmfError("a delta time or length beyond what a MIDI file can hold");
    std::uint8_t groups[4];
    int n = 0;
    do {
        groups[n++] = static_cast<std::uint8_t>(v & 0x7F);
        v >>= 7;
    } while (v != 0);
    while (n > 1) out.push_back(static_cast<std::uint8_t>(groups[--n] | 0x80));
    out.push_back(groups[0]);
}

void PutDataByte(std::vector<std::uint8_t>& out, std::uint8_t b, std::size_t track) {
    if (b & 0x80) throw SmfError("data byte out of range in track " + std::to_string(track));
    out.push_back(b);
}

void PutEvent(std::vector<std::uint8_t>& out, const Event& e, std::uint8_t& running, bool useRunning,
              std::size_t track) {
    if (e.IsChannel()) {
        if (!useRunning || e.status != running) out.push_back(e.status);
        running = e.status;
        PutDataByte(out, e.data1, track);
        if (ChannelDataBytes(e.status) == 2) PutDataByte(out, e.data2, track);
        return;
    }
    running = 0;
    if (e.IsMeta()) {
        out.push_back(kMetaStatus);
        PutDataByte(out, e.data1, track);  // the meta type
    } else if (e.IsSysEx()) {
        out.push_back(e.status);
    } else {
        throw SmfError("event of status " + std::to_string(e.status) + " in track " + std::to_string(track) +
                       " cannot be stored in a MIDI file");
    }
    if (static_cast<std::uint64_t>(e.bytes.size()) > 0x0FFFFFFF)
        throw SmfError("event too long in track " + std::to_string(track));
    PutVariableLength(out, static_cast<std::uint32_t>(e.bytes.size()));
    out.insert(out.end(), e.bytes.begin(), e.bytes.end());
}

void PutTrack(std::vector<std::uint8_t>& out, const Track& track, std::size_t number, bool useRunning) {
    out.insert(out.end(), {'M', 'T', 'r', 'k', 0, 0, 0, 0});
    const std::size_t lengthAt = out.size() - 4;
    std::uint32_t last = 0;
    std::uint8_t running = 0;
    for (const Event& e : track.events) {
        if (e.IsMeta() && e.data1 == kMetaEndOfTrack) continue;
        if (e.tick < last)
            throw SmfError("events out of time order in track " + std::to_string(number));
        PutVariableLength(out, e.tick - last);
        last = e.tick;
        PutEvent(out, e, running, useRunning, number);
    }
    PutVariableLength(out, track.endTick > last ? track.endTick - last : 0);
    out.insert(out.end(), {kMetaStatus, kMetaEndOfTrack, 0});
    const std::uint64_t length = out.size() - lengthAt - 4;
    if (length > 0xFFFFFFFFu) throw SmfError("track " + std::to_string(number) + " too long");
    for (int i = 0; i < 4; ++i) out[lengthAt + static_cast<std::size_t>(i)] =
        static_cast<std::uint8_t>(length >> (8 * (3 - i)));
}

}  // namespace

std::vector<std::uint8_t> WriteSmf(const File& file, const WriteOptions& options) {
    if (file.format > 2) throw SmfError("unknown MIDI file format " + std::to_string(file.format));
    if (file.format == 0 && file.tracks.size() != 1) throw SmfError("a format 0 file holds exactly one track");
    if (file.tracks.size() > 0xFFFF) throw SmfError("too many tracks for a MIDI file");
    if (file.division == 0) throw SmfError("bad division 0");
    std::vector<std::uint8_t> out = {'M', 'T', 'h', 'd', 0, 0, 0, 6};
    PutBig(out, file.format, 2);
    PutBig(out, static_cast<std::uint32_t>(file.tracks.size()), 2);
    PutBig(out, file.division, 2);
    for (std::size_t i = 0; i < file.tracks.size(); ++i) PutTrack(out, file.tracks[i], i + 1, options.runningStatus);
    return out;
}

}  // namespace nuv::smf

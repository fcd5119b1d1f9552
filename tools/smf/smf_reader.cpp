#include "tools/smf/smf_reader.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace nuv::smf {
namespace {

std::string Offset(std::size_t at) { return " at byte " + std::to_string(at); }

std::string Hex(std::uint8_t b) {
    static const char digits[] = "0123456789ABCDEF";
    return std::string("0x") + digits[b >> 4] + digits[b & 0xF];
}

bool IsNameCharacter(char ch) {
    return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z') || (ch >= '0' && ch <= '9') || ch == ' ' || ch == '_';
}

// Raised by a read past the end of the chunk being read: the track (or the
// file) ends inside an event. A tolerant read stops there.
class EndOfChunk : public SmfError {
public:
    explicit EndOfChunk(const std::string& what) : SmfError(what) {}
};

// A bounded cursor over the bytes of the file; every read checks the end it
// was given, so no read leaves the chunk it belongs to.
class Cursor {
public:
    Cursor(const std::uint8_t* data, std::size_t begin, std::size_t end, std::string where)
        : data_(data), pos_(begin), end_(end), where_(std::move(where)) {}

    bool AtEnd() const { return pos_ >= end_; }
    std::size_t Position() const { return pos_; }
    std::size_t Left() const { return end_ - pos_; }

    std::uint8_t Byte() {
        if (AtEnd()) throw EndOfChunk("truncated " + where_ + Offset(pos_));
        return data_[pos_++];
    }
    std::uint32_t Big(int width) {
        std::uint32_t v = 0;
        for (int i = 0; i < width; ++i) v = (v << 8) | Byte();
        return v;
    }
    // A variable-length number: at most four bytes of seven bits each.
    std::uint32_t VariableLength() {
        const std::size_t start = pos_;
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i) {
            const std::uint8_t b = Byte();
            v = (v << 7) | (b & 0x7F);
            if ((b & 0x80) == 0) return v;
        }
        Fail("bad variable-length number in " + where_ + Offset(start));
    }
    std::vector<std::uint8_t> Bytes(std::uint32_t count) {
        if (count > Left()) throw EndOfChunk("truncated " + where_ + Offset(pos_) + " (" + std::to_string(count) +
                                             " bytes announced, " + std::to_string(Left()) + " left)");
        std::vector<std::uint8_t> out(data_ + pos_, data_ + pos_ + count);
        pos_ += count;
        return out;
    }
    [[noreturn]] void Fail(const std::string& message) const { throw SmfError(message); }

private:
    const std::uint8_t* data_;
    std::size_t pos_;
    std::size_t end_;
    std::string where_;
};

struct Chunk {
    char type[4];
    std::size_t begin;           // first byte of the body
    std::size_t end;             // one past its last byte in the file
    std::uint64_t announced;     // the length its header gives
    bool Cut() const { return end - begin < announced; }
};

// A chunk whose length runs past the end of the file is refused, or, when
// `tolerant`, ends with the file.
Chunk ReadChunkHeader(const std::uint8_t* data, std::size_t size, std::size_t at, bool tolerant) {
    Cursor c(data, at, size, "chunk header");
    Chunk chunk{};
    for (char& ch : chunk.type) {
        ch = static_cast<char>(c.Byte());
        if (!IsNameCharacter(ch)) throw SmfError("bad chunk: no chunk type" + Offset(at));
    }
    chunk.announced = c.Big(4);
    chunk.begin = c.Position();
    if (chunk.announced > c.Left() && !tolerant) {
        throw SmfError("truncated " + std::string(chunk.type, 4) + " chunk" + Offset(at) + " (" +
                       std::to_string(chunk.announced) + " bytes announced, " + std::to_string(c.Left()) + " left)");
    }
    chunk.end = chunk.begin + static_cast<std::size_t>(std::min<std::uint64_t>(chunk.announced, c.Left()));
    return chunk;
}

bool IsType(const Chunk& chunk, const char* type) { return std::memcmp(chunk.type, type, 4) == 0; }

std::uint8_t DataByte(Cursor& c) {
    const std::size_t at = c.Position();
    const std::uint8_t b = c.Byte();
    if (b & 0x80) c.Fail("bad data byte " + Hex(b) + Offset(at));
    return b;
}

// Where a track stands while it is read: the time reached and the channel
// running status. Meta and system exclusive events leave the running status
// as it was, which reads every conforming file and the many that rely on it.
struct TrackState {
    std::uint64_t tick = 0;
    std::uint8_t running = 0;
};

// Reads one event into `track`; true when it was the end of track.
bool ReadEvent(Cursor& c, const std::string& where, TrackState& state, Track& track) {
    state.tick += c.VariableLength();
    if (state.tick > kLongestTrack) c.Fail(where + " runs past the longest time a song can have" + Offset(c.Position()));
    Event e;
    e.tick = static_cast<std::uint32_t>(state.tick);
    const std::size_t at = c.Position();
    std::uint8_t status = c.Byte();
    bool haveFirst = false;
    std::uint8_t first = 0;
    if (status < 0x80) {
        if (state.running == 0) c.Fail("data byte without running status in " + where + Offset(at));
        first = status;
        haveFirst = true;
        status = state.running;
    }
    e.status = status;
    if (status < 0xF0) {
        e.data1 = haveFirst ? first : DataByte(c);
        if (ChannelDataBytes(status) == 2) e.data2 = DataByte(c);
        state.running = status;
    } else if (status == kMetaStatus) {
        const std::size_t typeAt = c.Position();
        e.data1 = c.Byte();
        if (e.data1 & 0x80) c.Fail("bad meta event type in " + where + Offset(typeAt));
        e.bytes = c.Bytes(c.VariableLength());
        if (e.data1 == kMetaEndOfTrack) {
            // Bytes after the end of track within the chunk are ignored.
            track.endTick = e.tick;
            return true;
        }
    } else if (status == kSysExStatus || status == kSysExEscape) {
        e.bytes = c.Bytes(c.VariableLength());
    } else {
        c.Fail("unexpected status byte " + Hex(status) + " in " + where + Offset(at));
    }
    track.events.push_back(std::move(e));
    return false;
}

struct TrackRead {
    Track track;
    bool ended = true;     // by its end-of-track event
    bool partial = false;  // the chunk ended inside an event, which was left out
};

// A tolerant read ends a track without its end-of-track event after its last
// whole event.
TrackRead ReadTrack(const std::uint8_t* data, const Chunk& chunk, std::size_t number, bool tolerant) {
    const std::string where = "track " + std::to_string(number);
    Cursor c(data, chunk.begin, chunk.end, where);
    TrackRead read;
    TrackState state;
    while (true) {
        if (c.AtEnd()) {
            if (!tolerant) c.Fail(where + " has no end of track" + Offset(c.Position()));
            read.ended = false;
            break;
        }
        try {
            if (ReadEvent(c, where, state, read.track)) return read;
        } catch (const EndOfChunk&) {
            if (!tolerant) throw;
            read.ended = false;
            read.partial = true;
            break;
        }
    }
    read.track.endTick = read.track.events.empty() ? 0 : read.track.events.back().tick;
    return read;
}

}  // namespace

File ReadSmf(const std::uint8_t* data, std::size_t size) { return ReadSmf(data, size, ReadOptions{}, nullptr); }

File ReadSmf(const std::uint8_t* data, std::size_t size, const ReadOptions& options, ReadDefects* defects) {
    if (size < 4 || std::memcmp(data, "MThd", 4) != 0) throw SmfError("not a MIDI file: no MThd header chunk");
    const Chunk header = ReadChunkHeader(data, size, 0, false);
    if (header.end - header.begin < 6) throw SmfError("bad chunk: MThd header chunk shorter than 6 bytes");
    Cursor h(data, header.begin, header.end, "header");
    File file;
    file.format = static_cast<std::uint16_t>(h.Big(2));
    const std::uint32_t trackCount = h.Big(2);
    file.division = static_cast<std::uint16_t>(h.Big(2));
    if (file.format > 2) throw SmfError("unknown MIDI file format " + std::to_string(file.format));
    if (file.format == 0 && trackCount != 1)
        throw SmfError("format 0 file announces " + std::to_string(trackCount) + " tracks instead of 1");
    if (file.division == 0) throw SmfError("bad division 0 in the header");

    ReadDefects found;
    std::size_t at = header.end;
    while (file.tracks.size() < trackCount) {
        // The file may end between chunks or inside a chunk's header: the
        // rest of the announced tracks are missing.
        if (options.tolerant && size - std::min(at, size) < 8) break;
        if (at >= size) {
            throw SmfError("truncated file: header announces " + std::to_string(trackCount) + " tracks, found " +
                           std::to_string(file.tracks.size()));
        }
        const Chunk chunk = ReadChunkHeader(data, size, at, options.tolerant);
        if (IsType(chunk, "MTrk")) {
            const std::size_t number = file.tracks.size() + 1;
            TrackRead read = ReadTrack(data, chunk, number, options.tolerant);
            if (chunk.Cut()) {
                found.cutTrack = number;
                found.cutAnnounced = chunk.announced;
                found.cutPresent = chunk.end - chunk.begin;
            } else if (!read.ended) {
                found.tracksWithoutEnd.push_back(number);
            }
            if (read.partial) ++found.partialEvents;
            file.tracks.push_back(std::move(read.track));
        } else if (IsType(chunk, "MThd")) {
            throw SmfError("bad chunk: a second MThd header" + Offset(at));
        }
        // Chunks of other types are skipped, as files may carry their own.
        at = chunk.end;
        if (chunk.Cut()) break;
    }
    // Anything after the announced tracks is not part of the song.
    found.tracksAnnounced = trackCount;
    found.tracksFound = file.tracks.size();
    found.cutOff = found.tracksFound < trackCount || found.cutTrack != 0;
    if (found.tracksFound == 0 && trackCount > 0)
        throw SmfError("truncated file: header announces " + std::to_string(trackCount) + " tracks, found none");
    if (defects != nullptr) *defects = found;
    return file;
}

}  // namespace nuv::smf

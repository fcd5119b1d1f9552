// A probe of the MIDI file library for the cross-check with an independent
// reader and writer:
//   smf_probe dump IN        prints every event as our reader sees it
//   smf_probe copy IN OUT    reads IN and writes it again with our writer
//   smf_probe sample OUT     writes a file with every kind of event
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "tools/smf/smf_reader.h"
#include "tools/smf/smf_writer.h"

namespace {

using nuv::smf::Event;
using Bytes = std::vector<std::uint8_t>;

Bytes ReadBytes(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteBytes(const char* path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::string Hex(const Bytes& bytes, std::size_t from, std::size_t to) {
    std::string out;
    char h[4];
    for (std::size_t i = from; i < to; ++i) {
        std::snprintf(h, sizeof h, "%02x", bytes[i]);
        out += h;
    }
    return out.empty() ? "-" : out;
}

// The form both sides print: channel messages as their bytes, meta events as
// type and payload, system exclusive as its payload without F0 and F7.
void Dump(const nuv::smf::File& f) {
    std::printf("file %u %u %u\n", unsigned{f.format}, unsigned{f.division}, static_cast<unsigned>(f.tracks.size()));
    for (unsigned t = 0; t < f.tracks.size(); ++t) {
        for (const Event& e : f.tracks[t].events) {
            if (e.IsChannel()) {
                std::printf("%u %u ch %02x%02x", t, e.tick, e.status, e.data1);
                if (nuv::smf::ChannelDataBytes(e.status) == 2) std::printf("%02x", e.data2);
                std::printf("\n");
            } else if (e.IsMeta()) {
                std::printf("%u %u meta %02x %s\n", t, e.tick, e.data1, Hex(e.bytes, 0, e.bytes.size()).c_str());
            } else {
                std::size_t from = 0, to = e.bytes.size();
                if (from < to && e.bytes[from] == 0xF0) ++from;
                if (from < to && e.bytes[to - 1] == 0xF7) --to;
                std::printf("%u %u sysex %s\n", t, e.tick, Hex(e.bytes, from, to).c_str());
            }
        }
        std::printf("%u %u end\n", t, f.tracks[t].endTick);
    }
}

nuv::smf::File Sample() {
    nuv::smf::File f;
    f.format = 1;
    f.division = 384;
    nuv::smf::Track a, b;
    const auto channel = nuv::smf::ChannelMessage;
    Event tempo;
    tempo.status = 0xFF;
    tempo.data1 = 0x51;
    tempo.bytes = {0x06, 0x1A, 0x80};
    Event name = tempo;
    name.data1 = 0x03;
    name.bytes = {'p', 'r', 'o', 'b', 'e'};
    a.events = {name, tempo};
    a.endTick = 10;
    Event sysex;
    sysex.tick = 5;
    sysex.status = 0xF0;
    sysex.bytes = {0x43, 0x10, 0x4C, 0x00, 0x00, 0x7E, 0x00, 0xF7};
    b.events = {channel(0, 0xC1, 10, 0), channel(0, 0x91, 60, 100), channel(0, 0x91, 64, 80), sysex,
                channel(5, 0xB1, 1, 64), channel(200, 0xE1, 0x7F, 0x7F), channel(200, 0xE1, 0, 0),
                channel(300, 0xA1, 60, 30), channel(300, 0xD1, 20, 0), channel(384, 0x81, 60, 64),
                channel(400, 0x91, 64, 0), channel(100000, 0x91, 70, 1), channel(100000, 0x81, 70, 0)};
    b.endTick = 100100;
    f.tracks = {a, b};
    return f;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    try {
        if (command == "dump" && argc == 3) {
            Dump(nuv::smf::ReadSmf(ReadBytes(argv[2])));
        } else if (command == "copy" && argc == 4) {
            WriteBytes(argv[3], nuv::smf::WriteSmf(nuv::smf::ReadSmf(ReadBytes(argv[2]))));
        } else if (command == "sample" && argc == 3) {
            WriteBytes(argv[2], nuv::smf::WriteSmf(Sample()));
        } else {
            std::fprintf(stderr, "usage: smf_probe dump IN | copy IN OUT | sample OUT\n");
            return 2;
        }
    } catch (const nuv::smf::SmfError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}

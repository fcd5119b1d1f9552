// The tolerant read: what it keeps of a cut-off file or a track without its
// end (every whole event, with the running status as it was), what it reports,
// what it still refuses; the RIFF RMID wrapper; and the tempo map's sums.
#include <gtest/gtest.h>

#include "tools/smf/riff_midi.h"
#include "tools/smf/smf_reader.h"
#include "tools/smf/tempo_map.h"

namespace nuv::smf {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Header(std::uint16_t format, std::uint16_t tracks) {
    return {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, static_cast<std::uint8_t>(format), 0, static_cast<std::uint8_t>(tracks),
            0, 96};
}

// A track chunk announcing `announced` bytes (by default the body's size).
void AddTrack(Bytes& file, const Bytes& body, std::uint32_t announced = 0xFFFFFFFF) {
    const std::uint32_t length = announced == 0xFFFFFFFF ? static_cast<std::uint32_t>(body.size()) : announced;
    file.insert(file.end(), {'M', 'T', 'r', 'k'});
    for (int i = 3; i >= 0; --i) file.push_back(static_cast<std::uint8_t>(length >> (8 * i)));
    file.insert(file.end(), body.begin(), body.end());
}

File Tolerant(const Bytes& bytes, ReadDefects& defects) {
    return ReadSmf(bytes.data(), bytes.size(), ReadOptions{true}, &defects);
}

const Bytes kEnd = {0x00, 0xFF, 0x2F, 0x00};

TEST(TolerantReading, ATrackWithoutItsEndKeepsEveryWholeEvent) {
    // Running status into the last event; the chunk ends cleanly after it.
    const Bytes body = {0x00, 0x90, 60, 100, 0x60, 62, 100, 0x10, 60, 0};
    Bytes file = Header(1, 2);
    AddTrack(file, kEnd);
    AddTrack(file, body);
    ReadDefects d;
    const File f = Tolerant(file, d);
    ASSERT_EQ(f.tracks.size(), 2u);
    EXPECT_EQ(f.tracks[1].events,
              (std::vector<Event>{ChannelMessage(0, 0x90, 60, 100), ChannelMessage(0x60, 0x90, 62, 100),
                                  ChannelMessage(0x70, 0x90, 60, 0)}));
    EXPECT_EQ(f.tracks[1].endTick, 0x70u);
    EXPECT_EQ(d.tracksWithoutEnd, std::vector<std::size_t>{2});
    EXPECT_FALSE(d.cutOff);
    EXPECT_EQ(d.partialEvents, 0u);
    EXPECT_THROW(ReadSmf(file), SmfError);  // the strict read refuses it
}

TEST(TolerantReading, AChunkEndingInsideAnEventLeavesThatEventOut) {
    // Cut inside a meta event's payload, inside a delta, after a status byte.
    for (const Bytes& tail : {Bytes{0x00, 0xFF, 0x01, 0x05, 'a', 'b'}, Bytes{0x81}, Bytes{0x00, 0x90}}) {
        Bytes body = {0x00, 0xB0, 7, 99};
        body.insert(body.end(), tail.begin(), tail.end());
        Bytes file = Header(0, 1);
        AddTrack(file, body);
        ReadDefects d;
        const File f = Tolerant(file, d);
        ASSERT_EQ(f.tracks.size(), 1u);
        EXPECT_EQ(f.tracks[0].events, std::vector<Event>{ChannelMessage(0, 0xB0, 7, 99)});
        EXPECT_EQ(d.partialEvents, 1u);
        EXPECT_EQ(d.tracksWithoutEnd, std::vector<std::size_t>{1});
    }
}

TEST(TolerantReading, ACutOffFileKeepsWhatArrivedAndCountsWhatIsMissing) {
    Bytes full = Header(1, 3);
    AddTrack(full, kEnd);
    const Bytes notes = {0x00, 0x90, 60, 100, 0x30, 0x80, 60, 0, 0x30, 0x90, 62, 100, 0x30, 0x80, 62, 0, 0x00, 0xFF, 0x2F, 0x00};
    AddTrack(full, notes);
    AddTrack(full, notes);
    // Inside the second track, two whole notes and part of the third event of it.
    const std::size_t secondBody = 14 + 8 + kEnd.size() + 8;
    Bytes cut(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(secondBody + 10));
    ReadDefects d;
    File f = Tolerant(cut, d);
    ASSERT_EQ(f.tracks.size(), 2u);
    EXPECT_EQ(f.tracks[1].events.size(), 2u);
    EXPECT_TRUE(d.cutOff);
    EXPECT_EQ(d.cutTrack, 2u);
    EXPECT_EQ(d.cutAnnounced, notes.size());
    EXPECT_EQ(d.cutPresent, 10u);
    EXPECT_EQ(d.tracksFound, 2u);
    EXPECT_EQ(d.tracksAnnounced, 3u);
    EXPECT_TRUE(d.tracksWithoutEnd.empty()) << "the cut track is reported as cut, not again as unended";

    // Between chunks, and inside the third chunk's header: no track is cut.
    for (std::size_t keep : {secondBody + notes.size(), secondBody + notes.size() + 5}) {
        Bytes between(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(keep));
        f = Tolerant(between, d);
        EXPECT_EQ(f.tracks.size(), 2u);
        EXPECT_TRUE(d.cutOff);
        EXPECT_EQ(d.cutTrack, 0u);
        EXPECT_THROW(ReadSmf(between), SmfError);
    }
    // A well-formed file reads alike both ways and reports nothing.
    EXPECT_EQ(Tolerant(full, d), ReadSmf(full));
    EXPECT_FALSE(d.Any());
}

TEST(TolerantReading, WhatCannotBeReadAsEventsStillFails) {
    ReadDefects d;
    Bytes badByte = Header(0, 1);
    AddTrack(badByte, {0x00, 0x90, 0x90, 1});  // a status where a data byte belongs, before the end
    EXPECT_THROW(Tolerant(badByte, d), SmfError);
    Bytes badNumber = Header(0, 1);
    AddTrack(badNumber, {0x81, 0x81, 0x81, 0x81, 0x00});
    EXPECT_THROW(Tolerant(badNumber, d), SmfError);
    EXPECT_THROW(Tolerant(Header(1, 2), d), SmfError);  // no track at all arrived
    EXPECT_THROW(Tolerant({'M', 'T', 'h', 'd', 0, 0}, d), SmfError);
}

Bytes Little(std::uint32_t v) {
    return {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v >> 16),
            static_cast<std::uint8_t>(v >> 24)};
}

TEST(RiffMidi, TheDataChunkIsFoundPastOtherChunks) {
    Bytes song = Header(0, 1);
    AddTrack(song, kEnd);
    Bytes riff = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'R', 'M', 'I', 'D', 'L', 'I', 'S', 'T'};
    const Bytes list = Little(3);
    riff.insert(riff.end(), list.begin(), list.end());
    riff.insert(riff.end(), {'a', 'b', 'c', 0});  // three bytes and the pad byte
    riff.insert(riff.end(), {'d', 'a', 't', 'a'});
    const Bytes length = Little(static_cast<std::uint32_t>(song.size()));
    riff.insert(riff.end(), length.begin(), length.end());
    const std::size_t begin = riff.size();
    riff.insert(riff.end(), song.begin(), song.end());
    ASSERT_TRUE(IsRiffMidi(riff.data(), riff.size()));
    ByteRange r = MidiDataOfRiff(riff.data(), riff.size());
    EXPECT_EQ(r.begin, begin);
    EXPECT_EQ(r.end, riff.size());
    // A data chunk longer than the file ends with it.
    riff.resize(riff.size() - 2);
    r = MidiDataOfRiff(riff.data(), riff.size());
    EXPECT_EQ(r.end, riff.size());
    riff[begin - 8] = 'D';  // no data chunk left
    EXPECT_THROW(MidiDataOfRiff(riff.data(), riff.size()), SmfError);
    EXPECT_FALSE(IsRiffMidi(song.data(), song.size()));
}

TEST(TempoMap, EachChangeAddsItsOwnSegment) {
    File f;
    f.division = 100;
    auto tempo = [](std::uint32_t tick, std::uint32_t micros) {
        Event e;
        e.tick = tick;
        e.status = kMetaStatus;
        e.data1 = kMetaTempo;
        e.bytes = {static_cast<std::uint8_t>(micros >> 16), static_cast<std::uint8_t>(micros >> 8),
                   static_cast<std::uint8_t>(micros)};
        return e;
    };
    // Two changes at one tick (the second holds), one later, in two tracks.
    f.tracks = {Track{{tempo(100, 250000), tempo(100, 1000000)}, 0}, Track{{tempo(300, 2000000)}, 0}};
    const TempoMap map(f);
    EXPECT_DOUBLE_EQ(map.SecondsAt(100), 0.5);
    EXPECT_DOUBLE_EQ(map.SecondsAt(200), 1.5);
    EXPECT_DOUBLE_EQ(map.SecondsAt(300), 2.5);
    EXPECT_DOUBLE_EQ(map.SecondsAt(350), 3.5);
}

}  // namespace
}  // namespace nuv::smf

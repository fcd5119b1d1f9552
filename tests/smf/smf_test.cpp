// The MIDI file reader and writer: round trips of every kind of event, the
// byte forms the writer chooses, the faults the reader must reject with a
// clear message, and the tempo map.
#include <gtest/gtest.h>

#include "tools/smf/smf_reader.h"
#include "tools/smf/smf_writer.h"
#include "tools/smf/tempo_map.h"

namespace nuv::smf {
namespace {

using Bytes = std::vector<std::uint8_t>;

Event Meta(std::uint32_t tick, std::uint8_t type, Bytes payload) {
    Event e;
    e.tick = tick;
    e.status = kMetaStatus;
    e.data1 = type;
    e.bytes = std::move(payload);
    return e;
}

Event SysEx(std::uint32_t tick, std::uint8_t status, Bytes payload) {
    Event e;
    e.tick = tick;
    e.status = status;
    e.bytes = std::move(payload);
    return e;
}

File EveryKindOfEvent() {
    File f;
    f.format = 1;
    f.division = 96;
    Track conductor;
    conductor.events = {Meta(0, 0x03, {'T', 'e', 's', 't'}), Meta(0, kMetaTempo, {0x07, 0xA1, 0x20}),
                        Meta(200000, kMetaTempo, {0x03, 0xD0, 0x90})};
    conductor.endTick = 300000;
    Track music;
    music.events = {ChannelMessage(0, 0xC3, 5),         ChannelMessage(0, 0x93, 60, 100),     ChannelMessage(0, 0x93, 64, 90),
                    ChannelMessage(127, 0xB3, 7, 99),   ChannelMessage(128, 0xE3, 0x00, 0x40), ChannelMessage(16383, 0xD3, 33),
                    ChannelMessage(16384, 0xA3, 60, 12), SysEx(16384, kSysExStatus, {0x7E, 0x7F, 0x09, 0x01, 0xF7}),
                    ChannelMessage(16384, 0x83, 60, 64), ChannelMessage(0x0FFFFFFF, 0x93, 64, 0), SysEx(0x0FFFFFFF, kSysExEscape, {0xF8})};
    music.endTick = 0x0FFFFFFF;
    f.tracks = {conductor, music};
    return f;
}

TEST(SmfRoundTrip, EveryKindOfEventComesBackWithOrWithoutRunningStatus) {
    const File f = EveryKindOfEvent();
    for (bool running : {true, false}) {
        const Bytes bytes = WriteSmf(f, {running});
        EXPECT_EQ(ReadSmf(bytes), f) << "running status " << running;
    }
    EXPECT_LT(WriteSmf(f, {true}).size(), WriteSmf(f, {false}).size());
}

TEST(SmfRoundTrip, FormatZeroAndTheEndOfTrackAfterTheLastEvent) {
    File f;
    f.format = 0;
    Track t;
    t.events = {ChannelMessage(10, 0x90, 60, 1), ChannelMessage(50, 0x80, 60, 0), Meta(50, kMetaEndOfTrack, {})};
    t.endTick = 20;  // earlier than the last event: the end moves to it
    f.tracks = {t};
    const File back = ReadSmf(WriteSmf(f));
    ASSERT_EQ(back.tracks.size(), 1u);
    EXPECT_EQ(back.format, 0);
    EXPECT_EQ(back.tracks[0].events.size(), 2u);  // the listed end of track is not written twice
    EXPECT_EQ(back.tracks[0].endTick, 50u);
}

TEST(SmfWriter, WritesTheExpectedBytes) {
    File f;
    f.format = 0;
    f.division = 480;
    Track t;
    t.events = {ChannelMessage(0, 0x90, 60, 100), ChannelMessage(128, 0x90, 62, 100), Meta(128, 0x01, {'x'}),
                ChannelMessage(128, 0x90, 64, 100)};
    t.endTick = 128;
    f.tracks = {t};
    const Bytes expected = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0x01, 0xE0,
                            'M', 'T', 'r', 'k', 0, 0, 0, 21,
                            0x00, 0x90, 60, 100,              // full status first
                            0x81, 0x00, 62, 100,              // running status, a two-byte delta
                            0x00, 0xFF, 0x01, 0x01, 'x',      // meta
                            0x00, 0x90, 64, 100,              // status again after a meta event
                            0x00, 0xFF, 0x2F, 0x00};
    EXPECT_EQ(WriteSmf(f), expected);
}

TEST(SmfWriter, RefusesWhatNoFileCanHold) {
    File f;
    Track t;
    t.events = {ChannelMessage(10, 0x90, 60, 1), ChannelMessage(5, 0x80, 60, 0)};
    f.tracks = {t};
    EXPECT_THROW(WriteSmf(f), SmfError);  // time going backwards
    f.tracks = {Track{{ChannelMessage(0, 0x90, 200, 1)}, 0}};
    EXPECT_THROW(WriteSmf(f), SmfError);  // data byte out of range
    f.format = 0;
    f.tracks = {Track{}, Track{}};
    EXPECT_THROW(WriteSmf(f), SmfError);
}

// A file of one track holding `body` (which should end with an end of track).
Bytes OneTrack(const Bytes& body, std::uint16_t format = 0) {
    Bytes b = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, static_cast<std::uint8_t>(format), 0, 1, 0, 96, 'M', 'T', 'r', 'k'};
    for (int i = 3; i >= 0; --i) b.push_back(static_cast<std::uint8_t>(body.size() >> (8 * i)));
    for (std::uint8_t byte : body) b.push_back(byte);
    return b;
}

std::string ErrorOf(const Bytes& bytes) {
    try {
        ReadSmf(bytes);
    } catch (const SmfError& e) {
        return e.what();
    }
    return "(read without error)";
}

TEST(SmfReader, RejectsMalformedFilesNamingTheFault) {
    const Bytes eot = {0x00, 0xFF, 0x2F, 0x00};
    EXPECT_EQ(ErrorOf({}), "not a MIDI file: no MThd header chunk");
    EXPECT_EQ(ErrorOf({'R', 'I', 'F', 'F', 0, 0, 0, 0}), "not a MIDI file: no MThd header chunk");
    EXPECT_NE(ErrorOf({'M', 'T', 'h', 'd', 0, 0, 0, 2, 0, 0}).find("bad chunk"), std::string::npos);

    Bytes wrongType = OneTrack(eot);
    wrongType[14] = 0x01;  // a track chunk whose type is no name
    EXPECT_NE(ErrorOf(wrongType).find("bad chunk"), std::string::npos);

    Bytes shortChunk = OneTrack(eot);
    shortChunk[21] = 50;  // announces more bytes than the file holds
    EXPECT_NE(ErrorOf(shortChunk).find("truncated MTrk chunk"), std::string::npos);

    EXPECT_NE(ErrorOf(OneTrack({0x00, 0x90, 60})).find("truncated track 1"), std::string::npos);
    EXPECT_NE(ErrorOf(OneTrack({0x00, 0xFF, 0x01, 0x05, 'a'})).find("truncated track 1"), std::string::npos);
    EXPECT_NE(ErrorOf(OneTrack({0x81, 0x81, 0x81, 0x81, 0x00, 0x90, 60, 1})).find("bad variable-length number"),
              std::string::npos);
    EXPECT_NE(ErrorOf(OneTrack({0x00, 0x90, 60, 1})).find("track 1 has no end of track"), std::string::npos);
    EXPECT_NE(ErrorOf(OneTrack({0x00, 60, 1, 0x00, 0xFF, 0x2F, 0x00})).find("data byte without running status"),
              std::string::npos);
    EXPECT_NE(ErrorOf(OneTrack({0x00, 0x90, 0x90, 1, 0x00, 0xFF, 0x2F, 0x00})).find("bad data byte 0x90"),
              std::string::npos);
    EXPECT_NE(ErrorOf(OneTrack({0x00, 0xF8, 0x00, 0xFF, 0x2F, 0x00})).find("unexpected status byte 0xF8"),
              std::string::npos);
    EXPECT_NE(ErrorOf(OneTrack(eot, 3)).find("unknown MIDI file format 3"), std::string::npos);

    Bytes missingTrack = OneTrack(eot, 1);
    missingTrack[11] = 2;
    EXPECT_EQ(ErrorOf(missingTrack), "truncated file: header announces 2 tracks, found 1");
    Bytes formatZeroPair = OneTrack(eot, 0);
    formatZeroPair[11] = 2;
    EXPECT_EQ(ErrorOf(formatZeroPair), "format 0 file announces 2 tracks instead of 1");

    // Two tracks announced, and a second header between them.
    const Bytes one = OneTrack(eot, 1);
    Bytes secondHeader = one;
    secondHeader[11] = 2;
    secondHeader.insert(secondHeader.end(), one.begin(), one.end());  // MThd, then the track
    EXPECT_NE(ErrorOf(secondHeader).find("a second MThd header"), std::string::npos);
}

TEST(SmfReader, TimeBeyondTheHostsRangeIsRefused) {
    // Eight deltas of 0x0FFFFFFF pass 2^31 ticks.
    Bytes body;
    for (int i = 0; i < 9; ++i) body.insert(body.end(), {0xFF, 0xFF, 0xFF, 0x7F, 0xB0, 7, 1});
    body.insert(body.end(), {0x00, 0xFF, 0x2F, 0x00});
    EXPECT_NE(ErrorOf(OneTrack(body)).find("longest time"), std::string::npos);

    // A track that ends exactly at the longest time reads; a tick more does not.
    const auto endingAt = [](std::uint32_t last) {
        Bytes b;
        for (int i = 0; i < 8; ++i) b.insert(b.end(), {0xFF, 0xFF, 0xFF, 0x7F, 0xB0, 7, 1});  // 8 * 0x0FFFFFFF
        const std::uint32_t rest = last - 8 * 0x0FFFFFFFu;  // 7 or 8
        b.insert(b.end(), {static_cast<std::uint8_t>(rest), 0xFF, 0x2F, 0x00});
        return OneTrack(b);
    };
    EXPECT_EQ(ReadSmf(endingAt(kLongestTrack)).tracks.at(0).endTick, kLongestTrack);
    EXPECT_NE(ErrorOf(endingAt(kLongestTrack + 1)).find("longest time"), std::string::npos);
}

TEST(SmfReader, AcceptsWhatRealFilesDo) {
    // Running status carried over a meta event, an unknown chunk skipped,
    // bytes after the end of track and after the last track ignored.
    Bytes body = {0x00, 0x90, 60, 100, 0x00, 0xFF, 0x01, 0x00, 0x10, 62, 100, 0x00, 0xFF, 0x2F, 0x00, 0xAA};
    Bytes file = OneTrack(body, 1);
    file.insert(file.begin() + 14, {'X', 'y', 'z', 'w', 0, 0, 0, 2, 1, 2});
    file.insert(file.end(), {0xDE, 0xAD});
    const File f = ReadSmf(file);
    ASSERT_EQ(f.tracks.size(), 1u);
    ASSERT_EQ(f.tracks[0].events.size(), 3u);
    EXPECT_EQ(f.tracks[0].events[2], ChannelMessage(16, 0x90, 62, 100));
    EXPECT_EQ(f.tracks[0].endTick, 16u);
}

TEST(TempoMap, SecondsFollowEveryTempoChange) {
    File f;
    f.division = 100;
    f.tracks = {Track{{Meta(200, kMetaTempo, {0x0F, 0x42, 0x40})}, 400}};  // one second a quarter from tick 200
    const TempoMap map(f);
    EXPECT_DOUBLE_EQ(map.SecondsAt(100), 0.5);  // 120 beats a minute before the change
    EXPECT_DOUBLE_EQ(map.SecondsAt(200), 1.0);
    EXPECT_DOUBLE_EQ(map.SecondsAt(400), 3.0);
    EXPECT_EQ(map.TempoEvents(), 1u);
}

TEST(TempoMap, TimeCodeAndIndependentPatterns) {
    File timeCode;
    timeCode.division = 0xE728;  // 25 frames a second, 40 ticks a frame: 1000 ticks a second
    timeCode.tracks = {Track{{Meta(0, kMetaTempo, {0x0F, 0x42, 0x40})}, 5000}};
    EXPECT_DOUBLE_EQ(TempoMap(timeCode).SecondsAt(2500), 2.5);  // tempo events do not count
    timeCode.division = 0xE328;  // 29 frames a second, drop frame: counted as 30, so 1200 ticks a second
    EXPECT_DOUBLE_EQ(TempoMap(timeCode).SecondsAt(1200), 1.0);

    File patterns;
    patterns.format = 2;
    patterns.division = 100;
    patterns.tracks = {Track{{}, 400}, Track{{Meta(0, kMetaTempo, {0x0F, 0x42, 0x40})}, 400}};
    const TempoMap map(patterns);  // only the first pattern's tempo rules: none, so 120 beats a minute
    EXPECT_DOUBLE_EQ(map.SecondsAt(200), 1.0);
    EXPECT_EQ(map.TempoEvents(), 0u);
}

}  // namespace
}  // namespace nuv::smf

// NuvVelocurveV2 event processing: which events each target reshapes, in song
// and live form, the held-velocity marks, and values the table cannot map.
#include <gtest/gtest.h>

#include "plugins/velocurve/velocurve_effect.h"
#include "tests/support/event_builders.h"

namespace nuv::velocurve {
namespace {

using nuv::testing::ControlEvent;
using nuv::testing::Message;
using nuv::testing::NoteEvent;
using nuv::testing::RunEvents;
using nuv::testing::RunInput;

HostEvent Pressure(HostEventKind kind, std::uint8_t number, std::uint8_t value) {
    HostEvent e = ControlEvent(0, number, value);
    e.kind = kind;
    return e;
}

class Compander : public ::testing::Test {
protected:
    // An inverting table, v -> 127 - v, so every mapped value is easy to see.
    void SetUp() override {
        for (std::int32_t v = 0; v < kCurveTableSize; ++v) effect->curveTable[v] = {v, 127 - v};
    }

    void Choose(Target target) {
        effect->targetVelocity = target == kVelocity;
        effect->targetPolyAft = target == kPolyAft;
        effect->targetChanAft = target == kChanAft;
        effect->targetCtrlChng = target == kCtrlChng;
    }

    // The second data byte of each event after one OnEvents call.
    std::vector<int> Values(std::vector<HostEvent> in) {
        std::vector<int> values;
        for (const HostEvent& e : RunEvents(*effect, std::move(in))) values.push_back(e.value);
        return values;
    }

    ComRef<NuvMfx> effect = nuv::testing::MakeEffect<NuvMfx>();
};

// A note at velocity 100, a silent note, key pressure 100, channel pressure
// 100, controller 7 at 100 and 0, controller 8 at 100, and both pressures at
// 0, which no curve raises.
std::vector<HostEvent> EveryKind() {
    return {NoteEvent(0, 60, 100, 10), NoteEvent(0, 61, 0, 10), Pressure(KeyAft, 60, 100), Pressure(ChanAft, 0, 100),
            ControlEvent(0, 7, 100),   ControlEvent(0, 7, 0),   ControlEvent(0, 8, 100),   Pressure(KeyAft, 60, 0),
            Pressure(ChanAft, 0, 0)};
}

TEST_F(Compander, EachTargetReshapesOnlyItsOwnKind) {
    effect->controllerNumber = 7;
    Choose(kVelocity);
    EXPECT_EQ(Values(EveryKind()), (std::vector<int>{27, 0, 100, 100, 100, 0, 100, 0, 0}));
    Choose(kPolyAft);
    EXPECT_EQ(Values(EveryKind()), (std::vector<int>{100, 0, 27, 100, 100, 0, 100, 0, 0}));
    Choose(kChanAft);
    EXPECT_EQ(Values(EveryKind()), (std::vector<int>{100, 0, 100, 27, 100, 0, 100, 0, 0}));
    Choose(kCtrlChng);  // a controller value of 0 is looked up too
    EXPECT_EQ(Values(EveryKind()), (std::vector<int>{100, 0, 100, 100, 27, 127, 100, 0, 0}));
    Choose(kNoTarget);
    EXPECT_EQ(Values(EveryKind()), (std::vector<int>{100, 0, 100, 100, 100, 0, 100, 0, 0}));
}

TEST_F(Compander, TargetsAreTestedInOrderAndDisabledPassesAll) {
    effect->targetPolyAft = 1;  // Velocity stays set and comes first
    EXPECT_EQ(Values(EveryKind()), (std::vector<int>{27, 0, 100, 100, 100, 0, 100, 0, 0}));
    effect->enabled = 0;
    EXPECT_EQ(Values(EveryKind()), (std::vector<int>{100, 0, 100, 100, 100, 0, 100, 0, 0}));
}

TEST_F(Compander, OnlyTheVelocityOfANoteChanges) {
    HostEvent note = NoteEvent(5, 60, 100, 30, 3);
    note.release = 90;
    const auto out = RunEvents(*effect, {note});
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(+out[0].time, 5);
    EXPECT_EQ(out[0].channel, 3);
    EXPECT_EQ(out[0].number, 60);
    EXPECT_EQ(out[0].release, 90);
    EXPECT_EQ(+out[0].duration, 30);
}

TEST_F(Compander, NotesTheCurveSilencesKeepVelocityOne) {
    // 127 maps to 0: a note still sounds, other kinds take the 0.
    effect->controllerNumber = 7;
    EXPECT_EQ(Values({NoteEvent(0, 60, 127, 10)}), (std::vector<int>{1}));
    EXPECT_EQ(RunInput(*effect, {Message(0x90, 60, 127)}).at(0).data2, 1);
    Choose(kCtrlChng);
    EXPECT_EQ(Values({ControlEvent(0, 7, 127)}), (std::vector<int>{0}));
}

TEST_F(Compander, ValuesBeyondTheTablePassUnchanged) {
    effect->controllerNumber = 7;
    EXPECT_EQ(Values({NoteEvent(0, 60, 200, 10)}), (std::vector<int>{200}));
    Choose(kCtrlChng);
    EXPECT_EQ(Values({ControlEvent(0, 7, 128)}), (std::vector<int>{128}));
    Choose(kChanAft);
    EXPECT_EQ(RunInput(*effect, {Message(0xD0, 255, 0)}).at(0).data1, 255);
}

TEST_F(Compander, LiveTargetsReshapeTheirDataByte) {
    effect->controllerNumber = 7;
    const std::vector<HostData> in = {Message(0xA1, 60, 100), Message(0xA1, 60, 0), Message(0xD2, 100, 0),
                                      Message(0xB3, 7, 0),    Message(0xB3, 8, 100)};
    const auto data = [](const std::vector<HostData>& out) {
        std::vector<int> v;
        for (const HostData& d : out) v.insert(v.end(), {d.data1, d.data2});
        return v;
    };
    Choose(kPolyAft);
    EXPECT_EQ(data(RunInput(*effect, in)), (std::vector<int>{60, 27, 60, 0, 100, 0, 7, 0, 8, 100}));
    Choose(kChanAft);
    EXPECT_EQ(data(RunInput(*effect, in)), (std::vector<int>{60, 100, 60, 0, 27, 0, 7, 0, 8, 100}));
    Choose(kCtrlChng);
    EXPECT_EQ(data(RunInput(*effect, in)), (std::vector<int>{60, 100, 60, 0, 100, 0, 7, 127, 8, 100}));
}

TEST_F(Compander, LiveNotesMarkTheirVelocityWhileHeld) {
    auto out = RunInput(*effect, {Message(0x90, 60, 100), Message(0x91, 64, 30), Message(0xB0, 1, 100)});
    EXPECT_EQ(out.at(0).data2, 27);
    EXPECT_EQ(out.at(2).data2, 100);  // controllers pass under the Velocity target
    EXPECT_EQ(effect->refreshFlag, 1);
    EXPECT_EQ(effect->heldVelocityMarks[100], 1);
    EXPECT_EQ(effect->heldVelocityMarks[30], 1);
    EXPECT_EQ(effect->noteVelocityMemory[64], 30);

    // A Note Off maps its release velocity; a Note On at 0 is an end and stays 0.
    effect->refreshFlag = 0;
    out = RunInput(*effect, {Message(0x80, 60, 64), Message(0x90, 64, 0)});
    EXPECT_EQ(out.at(0).data2, 63);
    EXPECT_EQ(out.at(1).data2, 0);
    EXPECT_EQ(effect->refreshFlag, 1);
    EXPECT_EQ(effect->heldVelocityMarks[100], 0);
    EXPECT_EQ(effect->heldVelocityMarks[30], 0);

    // Note numbers beyond the memory are neither remembered nor a hazard.
    out = RunInput(*effect, {Message(0x90, 200, 50), Message(0x80, 200, 0)});
    EXPECT_EQ(out.at(0).data2, 77);
    EXPECT_EQ(effect->heldVelocityMarks[50], 1);
}

TEST_F(Compander, UnreadableEventsAreDropped) {
    nuv::testing::EventCall call({NoteEvent(0, 60, 100, 10), NoteEvent(0, 61, 100, 10)});
    call.in->FailGetAt(0);
    effect->OnEvents(0, 0, call.in.Get(), call.out.Get());
    ASSERT_EQ(call.Output().size(), 1u);
    EXPECT_EQ(call.Output()[0].number, 61);
}

}  // namespace
}  // namespace nuv::velocurve

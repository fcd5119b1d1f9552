// NuvVelocurveV2's settings stream: the 49-byte layout, the integer layout of
// version 1, version 0, newer versions and streams that break off.
#include <gtest/gtest.h>

#include "plugins/velocurve/velocurve_effect.h"
#include "tests/support/event_builders.h"

namespace nuv::velocurve {
namespace {

using nuv::testing::LoadBytes;
using nuv::testing::SavedBytes;
using nuv::testing::StreamImage;

class CompanderStream : public ::testing::Test {
protected:
    std::vector<float> Positions() const {
        std::vector<float> v;
        for (const CurvePoint& p : effect->curvePoints) v.insert(v.end(), {p.x, p.y});
        return v;
    }
    std::vector<int> Targets() const {
        return {effect->targetVelocity, effect->targetPolyAft, effect->targetChanAft, effect->targetCtrlChng};
    }

    ComRef<NuvMfx> effect = nuv::testing::MakeEffect<NuvMfx>();
};

TEST_F(CompanderStream, FreshSaveIs49BytesOfVersion2) {
    StreamImage expected;
    expected.U32(2).Byte(1).Byte(0).Byte(0).Byte(0);
    for (int i = 0; i < 8; ++i) expected.F32(0);
    expected.Byte(1).I32(-1).I32(-1);
    EXPECT_EQ(SavedBytes(*effect), expected.Bytes());
    ULARGE_INTEGER size{};
    EXPECT_EQ(effect->GetSizeMax(&size), S_OK);
    EXPECT_EQ(size.QuadPart, 49u);
}

TEST_F(CompanderStream, Version2AndNewerRoundTrip) {
    auto image = StreamImage().U32(5).Byte(0).Byte(0).Byte(2).Byte(0);
    image.F32(0).F32(100.5f).F32(50).F32(90).F32(180).F32(20).F32(267).F32(1).Byte(64).I32(640).I32(300);
    effect->dirtyFlag = 1;
    ASSERT_EQ(LoadBytes(*effect, image), S_OK);
    EXPECT_EQ(Targets(), (std::vector<int>{0, 0, 2, 0}));  // flag bytes as stored
    EXPECT_EQ(Positions(), (std::vector<float>{0, 100.5f, 50, 90, 180, 20, 267, 1}));
    EXPECT_EQ(effect->controllerNumber, 64);
    EXPECT_EQ(effect->pageWidth, 640);
    EXPECT_EQ(effect->pageHeight, 300);
    EXPECT_EQ(effect->dirtyFlag, 0);
    EXPECT_EQ(effect->refreshFlag, 1);
    auto saved = image.Bytes();
    saved[0] = 2;
    EXPECT_EQ(SavedBytes(*effect), saved);
}

TEST_F(CompanderStream, Version1HasIntegerFieldsAndNoPageSize) {
    effect->pageWidth = 500;
    auto image = StreamImage().U32(1).I32(0).I32(7).I32(0).I32(-1);
    image.I32(0).I32(127).I32(60).I32(96).I32(200).I32(30).I32(267).I32(0).Byte(11);
    ASSERT_EQ(image.Bytes().size(), 53u);
    ASSERT_EQ(LoadBytes(*effect, image), S_OK);
    EXPECT_EQ(Targets(), (std::vector<int>{0, 1, 0, 1}));
    EXPECT_EQ(Positions(), (std::vector<float>{0, 127, 60, 96, 200, 30, 267, 0}));
    EXPECT_EQ(effect->controllerNumber, 11);
    EXPECT_EQ(effect->pageWidth, 500);
    EXPECT_EQ(effect->pageHeight, -1);
}

TEST_F(CompanderStream, Version0ChangesOnlyTheFlags) {
    effect->dirtyFlag = 1;
    ASSERT_EQ(LoadBytes(*effect, StreamImage().U32(0).Byte(0)), S_OK);
    EXPECT_EQ(Targets(), (std::vector<int>{1, 0, 0, 0}));
    EXPECT_EQ(effect->dirtyFlag, 0);
    EXPECT_EQ(effect->refreshFlag, 1);
}

TEST_F(CompanderStream, StreamEndingAfterTheControllerKeepsWhatWasRead) {
    effect->dirtyFlag = 1;
    const std::int32_t before = effect->curveTable[64].y;
    auto image = StreamImage().U32(2).Byte(0).Byte(1).Byte(0).Byte(0);
    image.F32(0).F32(0).F32(60).F32(5).F32(200).F32(5).F32(267).F32(0).Byte(9);
    EXPECT_EQ(LoadBytes(*effect, image), E_FAIL);
    EXPECT_EQ(Targets(), (std::vector<int>{0, 1, 0, 0}));
    EXPECT_EQ(Positions(), (std::vector<float>{0, 0, 60, 5, 200, 5, 267, 0}));
    EXPECT_EQ(effect->controllerNumber, 9);
    EXPECT_EQ(effect->pageWidth, -1);
    EXPECT_EQ(effect->dirtyFlag, 1);
    EXPECT_EQ(effect->refreshFlag, 0);
    EXPECT_EQ(effect->curveTable[64].y, before);  // only a complete load refills the table

    // The page width arrives alone: it is a field of its own.
    image.I32(320);
    EXPECT_EQ(LoadBytes(*effect, image), E_FAIL);
    EXPECT_EQ(effect->pageWidth, 320);
}

TEST_F(CompanderStream, FailedWriteFailsTheSaveAndKeepsDirty) {
    effect->dirtyFlag = 1;
    ComRef<host::MemoryStream> stream(new host::MemoryStream);
    stream->writeFailure.FailCall(16);  // the page height
    EXPECT_EQ(effect->Save(stream.Get(), 1), E_FAIL);
    EXPECT_EQ(stream->Bytes().size(), 45u);
    EXPECT_EQ(effect->IsDirty(), S_OK);
}

}  // namespace
}  // namespace nuv::velocurve

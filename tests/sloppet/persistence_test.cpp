// NuvSloppet's settings stream: the 29-byte layout, the older 36-byte layout,
// versions without fields, newer versions and broken streams.
#include "tests/sloppet/sloppet_fixture.h"

namespace nuv::sloppet {
namespace {

using nuv::testing::LoadBytes;
using nuv::testing::SavedBytes;
using nuv::testing::StreamImage;

StreamImage Version3(std::uint32_t version = 3) {
    return StreamImage().U32(version).Byte(1).Byte(0).Byte(1).Byte(0).Byte(1).U32(10).U32(20).U32(30).I32(640).I32(
        200);
}

void ExpectSwitches(const NuvMfx& e, std::vector<int> want) {
    EXPECT_EQ((std::vector<int>{e.noteOnEnabled, e.noteOffEnabled, e.velocityEnabled, e.preventSameNoteOverlap,
                                e.preserveDifferentNoteOverlap}),
              want);
}

TEST_F(SloppetTest, FreshSaveIs29BytesOfVersion3) {
    EXPECT_EQ(SavedBytes(*effect), StreamImage().U32(3).Byte(0).Byte(0).Byte(0).Byte(0).Byte(0).U32(1).U32(1).U32(1)
                                       .I32(-1).I32(-1).Bytes());
    ULARGE_INTEGER size{};
    EXPECT_EQ(effect->GetSizeMax(&size), S_OK);
    EXPECT_EQ(size.QuadPart, 29u);
}

TEST_F(SloppetTest, Version3AndNewerRoundTripEveryFieldAsItStands) {
    effect->dirtyFlag = 1;
    ASSERT_EQ(LoadBytes(*effect, Version3(9)), S_OK);
    ExpectSwitches(*effect, {1, 0, 1, 0, 1});
    EXPECT_EQ(effect->noteOffAmount, 20u);
    EXPECT_EQ(effect->pageWidth, 640);
    EXPECT_EQ(effect->dirtyFlag, 0);
    EXPECT_EQ(effect->refreshFlag, 1);
    EXPECT_EQ(SavedBytes(*effect), Version3().Bytes());

    // Values the page never writes are kept, not mended.
    const auto odd = StreamImage().U32(3).Byte(7).Byte(0).Byte(0).Byte(0).Byte(255).U32(0).U32(0xFFFFFFFFu).U32(41)
                         .I32(-5).I32(0);
    ASSERT_EQ(LoadBytes(*effect, odd), S_OK);
    EXPECT_EQ(SavedBytes(*effect), odd.Bytes());
}

TEST_F(SloppetTest, Versions0And1ChangeNothingButTheFlags) {
    for (std::uint32_t version : {0u, 1u}) {
        effect->noteOnAmount = 17;
        effect->dirtyFlag = 1;
        effect->refreshFlag = 0;
        ASSERT_EQ(LoadBytes(*effect, StreamImage().U32(version).U32(99)), S_OK);
        EXPECT_EQ(effect->noteOnAmount, 17u);
        EXPECT_EQ(effect->dirtyFlag, 0);
        EXPECT_EQ(effect->refreshFlag, 1);
    }
}

TEST_F(SloppetTest, Version2LayoutReadsWideSwitchesAndLeavesThePageSize) {
    effect->pageWidth = 500;
    const auto old = StreamImage().U32(2).I32(5).I32(0).I32(-1).I32(1).I32(0).U32(4).U32(5).U32(6);
    ASSERT_EQ(old.Bytes().size(), 36u);
    ASSERT_EQ(LoadBytes(*effect, old), S_OK);
    ExpectSwitches(*effect, {1, 0, 1, 1, 0});
    EXPECT_EQ(effect->noteOnAmount, 4u);
    EXPECT_EQ(effect->velocityAmount, 6u);
    EXPECT_EQ(effect->pageWidth, 500);
    EXPECT_EQ(effect->pageHeight, -1);
}

TEST_F(SloppetTest, Version2SwitchesAreTakenOnlyWhenAllFiveArrived) {
    effect->dirtyFlag = 1;
    EXPECT_EQ(LoadBytes(*effect, StreamImage().U32(2).I32(1).I32(1).I32(1)), E_FAIL);
    ExpectSwitches(*effect, {0, 0, 0, 0, 0});
    // All five and one amount: those stay, the flags do not change.
    EXPECT_EQ(LoadBytes(*effect, StreamImage().U32(2).I32(1).I32(1).I32(1).I32(1).I32(1).U32(8)), E_FAIL);
    ExpectSwitches(*effect, {1, 1, 1, 1, 1});
    EXPECT_EQ(effect->noteOnAmount, 8u);
    EXPECT_EQ(effect->noteOffAmount, 1u);
    EXPECT_EQ(effect->dirtyFlag, 1);
    EXPECT_EQ(effect->refreshFlag, 0);
}

TEST_F(SloppetTest, BrokenStreamsEndWithAFailure) {
    // A read that fails part way keeps what came before it.
    ComRef<host::MemoryStream> stream(new host::MemoryStream(Version3()));
    stream->readFailure.FailCall(7);  // version, five switches, then the first amount
    EXPECT_EQ(effect->Load(stream.Get()), E_FAIL);
    ExpectSwitches(*effect, {1, 0, 1, 0, 1});
    EXPECT_EQ(effect->noteOnAmount, 1u);
    EXPECT_EQ(effect->refreshFlag, 0);

    // Every field is its own write; a failing one fails the save and keeps dirty.
    ComRef<host::MemoryStream> target(new host::MemoryStream);
    target->writeFailure.FailCall(11);  // the page height
    effect->dirtyFlag = 1;
    EXPECT_EQ(effect->Save(target.Get(), 1), E_FAIL);
    EXPECT_EQ(target->Bytes().size(), 25u);
    EXPECT_EQ(effect->dirtyFlag, 1);
}

}  // namespace
}  // namespace nuv::sloppet

// NuvWobbleton's 20-byte settings stream and its older versions.
#include <cmath>

#include "tests/wobbleton/wobbleton_fixture.h"

namespace nuv::wobbleton {
namespace {

using nuv::testing::LoadBytes;
using nuv::testing::SavedBytes;
using nuv::testing::StreamImage;

TEST(WobbletonStream, FreshSaveIs20Bytes) {
    auto effect = nuv::testing::MakeEffect<NuvMfx>();
    EXPECT_EQ(SavedBytes(*effect), StreamImage().U32(2).F32(10).F32(5).I32(-1).I32(-1).Bytes());
    ULARGE_INTEGER size{};
    EXPECT_EQ(effect->GetSizeMax(&size), S_OK);
    EXPECT_EQ(size.QuadPart, 20u);
}

TEST(WobbletonStream, VersionsDecideTheFieldsRead) {
    auto effect = nuv::testing::MakeEffect<NuvMfx>();
    effect->pageWidth = 410;
    effect->dirtyFlag = 1;
    ASSERT_EQ(LoadBytes(*effect, StreamImage().U32(1).F32(20).F32(3).I32(7)), S_OK);
    EXPECT_EQ(effect->amp, 20.0f);
    EXPECT_EQ(effect->freq, 3.0f);
    EXPECT_EQ(effect->pageWidth, 410);
    EXPECT_EQ(effect->dirtyFlag, 0);
    EXPECT_EQ(effect->refreshFlag, 1);

    ASSERT_EQ(LoadBytes(*effect, StreamImage().U32(0)), S_OK);
    EXPECT_EQ(effect->amp, 20.0f);

    // Newer versions read as version 2; values the page never writes are kept.
    const auto odd = StreamImage().U32(9).F32(std::nanf("")).F32(1e9f).I32(600).I32(200);
    ASSERT_EQ(LoadBytes(*effect, odd), S_OK);
    EXPECT_EQ(effect->pageHeight, 200);
    auto expected = odd.Bytes();
    expected[0] = 2;
    EXPECT_EQ(SavedBytes(*effect), expected);
}

TEST(WobbletonStream, BrokenStreamsFail) {
    auto effect = nuv::testing::MakeEffect<NuvMfx>();
    effect->dirtyFlag = 1;
    EXPECT_EQ(LoadBytes(*effect, StreamImage().U32(2).F32(7).F32(2).I32(640)), E_FAIL);
    EXPECT_EQ(effect->amp, 7.0f);
    EXPECT_EQ(effect->freq, 2.0f);
    EXPECT_EQ(effect->pageWidth, -1);  // the page size is one 8-byte field
    EXPECT_EQ(effect->dirtyFlag, 1);
    EXPECT_EQ(effect->refreshFlag, 0);

    ComRef<host::MemoryStream> stream(new host::MemoryStream);
    stream->writeFailure.FailCall(4);
    EXPECT_EQ(effect->Save(stream.Get(), 1), E_FAIL);
    EXPECT_EQ(stream->Bytes().size(), 12u);
    EXPECT_EQ(effect->IsDirty(), S_OK);
}

}  // namespace
}  // namespace nuv::wobbleton

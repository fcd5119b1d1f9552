// The 64-byte settings stream: its layout, the versions it is read in, failed
// reads, and the parameters reaching the generator after a load.
#include <gtest/gtest.h>

#include <limits>

#include "tests/ondulo/ondulo_fixture.h"

namespace nuv::ondulo {
namespace {

using nuv::testing::F32At;
using nuv::testing::I32At;
using nuv::testing::LoadBytes;
using nuv::testing::SavedBytes;
using nuv::testing::StreamImage;

// The thirteen parameters in stream order, with chosen values.
StreamImage Parameters(std::int32_t version) {
    StreamImage image;
    image.I32(version).I32(kTriangle).I32(5).I32(0).F32(3.5f).F32(-12.0f).F32(40.0f).F32(25.0f);
    image.I32(11).I32(12).I32(13).I32(14).I32(kContinuous).I32(1);
    return image;
}

void ExpectChosenParameters(const NuvMfx& e) {
    EXPECT_EQ(e.waveform, kTriangle);
    EXPECT_EQ(e.rateIndex, 5);
    EXPECT_EQ(e.useInterval, 0);
    EXPECT_EQ(e.freeCycle, 3.5f);
    EXPECT_EQ(e.offset, -12.0f);
    EXPECT_EQ(e.amplitude, 40.0f);
    EXPECT_EQ(e.pulseWidth, 25.0f);
    EXPECT_EQ(e.modulatedCC, 11);
    EXPECT_EQ(e.frequencyCC, 12);
    EXPECT_EQ(e.amplitudeCC, 13);
    EXPECT_EQ(e.offsetCC, 14);
    EXPECT_EQ(e.mode, kContinuous);
    EXPECT_EQ(e.startAtPeak, 1);
}

class Persistence : public OnduloTest {};

TEST_F(Persistence, FreshEffectSavesItsDefaults) {
    const auto bytes = SavedBytes(*effect);
    ASSERT_EQ(bytes.size(), 64u);
    const std::int32_t ints[] = {2, 0, 2, 1};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(I32At(bytes, 4 * i), ints[i]) << i;
    const float floats[] = {1.0f, 0.0f, 63.0f, 10.0f};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(F32At(bytes, 16 + 4 * i), floats[i]) << i;
    const std::int32_t rest[] = {7, 0, 0, 0, 1, 0, -1, -1};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(I32At(bytes, 32 + 4 * i), rest[i]) << i;
    ULARGE_INTEGER size{};
    EXPECT_EQ(effect->GetSizeMax(&size), S_OK);
    EXPECT_EQ(size.QuadPart, 64u);
}

TEST_F(Persistence, VersionTwoRoundTripsAndReachesTheGenerator) {
    effect->dirtyFlag = 1;
    ASSERT_EQ(LoadBytes(*effect, Parameters(2).I32(500).I32(200)), S_OK);
    ExpectChosenParameters(*effect);
    EXPECT_EQ(effect->pageWidth, 500);
    EXPECT_EQ(effect->pageHeight, 200);
    EXPECT_EQ(effect->IsDirty(), S_FALSE);
    EXPECT_EQ(effect->refreshFlag, 1);
    const CWaveGenerator& g = effect->generator;
    EXPECT_EQ(g.waveform, kTriangle);
    EXPECT_EQ(g.useInterval, 0);
    EXPECT_EQ(g.targetCycle, 3.5f);  // the stored value itself, not the curve's
    EXPECT_EQ(g.currentAmplitude, 40.0f);
    EXPECT_EQ(g.offset, -12.0f);
    EXPECT_EQ(g.startAtPeak, 1);
    EXPECT_EQ(g.pulseWidth, 25.0f);

    ComRef<NuvMfx> copy = nuv::testing::MakeEffect<NuvMfx>();
    ASSERT_EQ(LoadBytes(*copy, SavedBytes(*effect)), S_OK);
    EXPECT_EQ(SavedBytes(*copy), SavedBytes(*effect));
}

TEST_F(Persistence, OtherVersionsKeepThePageSize) {
    for (std::int32_t version : {1, 3, 70000}) {
        effect->pageWidth = 321;
        effect->pageHeight = 123;
        ASSERT_EQ(LoadBytes(*effect, Parameters(version).I32(9).I32(9)), S_OK) << version;
        ExpectChosenParameters(*effect);
        EXPECT_EQ(effect->pageWidth, 321);
        EXPECT_EQ(effect->pageHeight, 123);
    }
    EXPECT_EQ(LoadBytes(*effect, Parameters(1)), S_OK);  // 56 bytes
}

TEST_F(Persistence, VersionZeroChangesNothingButStillApplies) {
    effect->amplitude = 20.0f;
    effect->dirtyFlag = 1;
    ASSERT_EQ(LoadBytes(*effect, StreamImage().I32(0)), S_OK);
    EXPECT_EQ(effect->amplitude, 20.0f);
    EXPECT_EQ(effect->generator.targetAmplitude, 20.0f);
    EXPECT_EQ(effect->IsDirty(), S_FALSE);
    EXPECT_EQ(effect->refreshFlag, 1);
}

TEST_F(Persistence, ShortStreamsFailAndKeepWhatWasReadBefore) {
    const auto before = SavedBytes(*effect);
    effect->dirtyFlag = 1;
    EXPECT_EQ(LoadBytes(*effect, StreamImage().I32(2)), E_FAIL);
    EXPECT_EQ(SavedBytes(*effect, false), before);
    EXPECT_EQ(effect->IsDirty(), S_OK);
    EXPECT_EQ(effect->refreshFlag, 0);

    // Cut inside the seventh field: the six before it are in, nothing is applied.
    std::vector<std::uint8_t> cut = Parameters(2);
    cut.resize(4 + 6 * 4 + 2);
    EXPECT_EQ(LoadBytes(*effect, cut), E_FAIL);
    EXPECT_EQ(effect->offset, -12.0f);
    EXPECT_EQ(effect->pulseWidth, 10.0f);
    EXPECT_EQ(effect->generator.offset, 0.0f);
    // The page size is read whole or not at all.
    std::vector<std::uint8_t> noHeight = Parameters(2).I32(800);
    EXPECT_EQ(LoadBytes(*effect, noHeight), E_FAIL);
    EXPECT_EQ(effect->pageWidth, -1);
}

TEST_F(Persistence, OutOfRangeValuesAreBoundedWhereTheyAreUsed) {
    StreamImage image;
    image.I32(2).I32(42).I32(99).I32(1).F32(std::numeric_limits<float>::quiet_NaN()).F32(0.0f).F32(63.0f);
    image.F32(10.0f).I32(300).I32(0).I32(0).I32(0).I32(kContinuous).I32(0).I32(-1).I32(-1);
    ASSERT_EQ(LoadBytes(*effect, image), S_OK);
    EXPECT_EQ(effect->rateIndex, 99);  // kept as stored
    EXPECT_EQ(effect->generator.targetCycle, 16.0f);
    effect->rateIndex = -4;
    effect->OnStart(0, nullptr);
    EXPECT_EQ(effect->generator.targetCycle, 0.25f);
    // No such wave: flat at the centre, written as controller 300's low byte.
    const auto out = ControllersOf(Play({}, 0, 100), 300 & 0xFF);
    EXPECT_EQ(out, (std::vector<TimedValue>{{0, 64}}));
    // A stored cycle length that is not a number still gives controller values:
    // the reset value (the centre, a repeat of the last one written, so not
    // written again), then the bottom, where a raw value that is not a number
    // counts, written once.
    effect->useInterval = 0;
    effect->waveform = kSine;
    effect->OnStart(0, nullptr);
    EXPECT_EQ(ControllersOf(Play({}, 0, 500), 300 & 0xFF), (std::vector<TimedValue>{{22, 0}}));
}

}  // namespace
}  // namespace nuv::ondulo

// The wave graph on the page, judged by sampled pixels: where the pulse wave
// sits, which vertical grid lines are solid, that the Random preview repeats,
// that a cycle too short to draw leaves the grid alone, and that repaints
// while the engine plays change nothing the engine writes.
#include <cstdlib>

#include "plugins/ondulo/ondulo_parameters.h"
#include "tests/ondulo/ondulo_fixture.h"
#include "tests/ondulo/win32/page_fixture.h"

namespace nuv::ondulo {
namespace {

constexpr std::uint32_t kGridColour = 0x646469;

bool IsWave(std::uint32_t pixel) { return page_test::Near(pixel, 0xFFFFFF, 60); }

// How many columns show the wave within `rows` of row y.
int ColumnsWithWaveNear(const page_test::WindowPicture& picture, int y, int rows) {
    int columns = 0;
    for (int x = 0; x < picture.Width(); ++x) {
        bool found = false;
        for (int row = std::max(0, y - rows); row <= std::min(picture.Height() - 1, y + rows); ++row) {
            found = found || IsWave(picture.At(x, row));
        }
        columns += found ? 1 : 0;
    }
    return columns;
}

// How many of the vertical lines, every 15 pixels at the design size, are
// solid: in the grid colour over most of the height.
int SolidVerticalLines(const page_test::WindowPicture& picture) {
    int solid = 0;
    for (int x = 15; x < picture.Width(); x += 15) {
        int best = 0;
        for (int column = x - 1; column <= x + 1; ++column) {
            int gridPixels = 0;
            for (int y = 0; y < picture.Height(); ++y) gridPixels += page_test::Near(picture.At(column, y), kGridColour, 12);
            best = std::max(best, gridPixels);
        }
        solid += best * 5 >= picture.Height() * 4 ? 1 : 0;
    }
    return solid;
}

int Differences(const page_test::WindowPicture& a, const page_test::WindowPicture& b) {
    int different = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x) different += a.At(x, y) != b.At(x, y) ? 1 : 0;
    return different;
}

TEST_F(OnduloPage, PulseSitsAtTheMiddleAndRisesToTheTopForATenthOfEachCycle) {
    Open();
    Click(page->waveButtons[kPulse]);
    const auto picture = Picture(page->waveGraph);
    ASSERT_TRUE(picture.has_value());
    const int width = picture->Width();
    // Value 127 over a tenth of the 240 points of four one-beat cycles, the
    // rise and the fall of each adding a column.
    const int top = ColumnsWithWaveNear(*picture, 1, 1);
    EXPECT_GE(top, width / 10);
    EXPECT_LE(top, width / 10 + 8);
    EXPECT_GE(ColumnsWithWaveNear(*picture, 63, 1), width * 9 / 10 - 6);  // value 64
    EXPECT_EQ(ColumnsWithWaveNear(*picture, 100, 20), 0);
}

TEST_F(OnduloPage, SixteenBeatCyclesDrawEveryVerticalLineSolid) {
    Open();
    auto picture = Picture(page->waveGraph);
    EXPECT_EQ(SolidVerticalLines(*picture), 3);  // one beat: one line in four
    Click(page->intervalButtons[6]);
    picture = Picture(page->waveGraph);
    EXPECT_EQ(SolidVerticalLines(*picture), 15);
}

TEST_F(OnduloPage, TheRandomPreviewIsTheSameOnEveryRepaint) {
    Open();
    Click(page->waveButtons[kRandom]);
    const auto first = Picture(page->waveGraph);
    effect->mode = kContinuous;
    effect->OnStart(0, nullptr);
    nuv::testing::RunEvents(*effect, {}, 0, 4 * 960);  // the engine draws meanwhile
    page->waveGraph.Repaint();
    const auto second = Picture(page->waveGraph);
    EXPECT_GT(ColumnsWithWaveNear(*first, 64, 64), 200);
    EXPECT_EQ(Differences(*first, *second), 0);
}

TEST_F(OnduloPage, ACycleShorterThanATickLeavesTheGridAlone) {
    effect->useInterval = 0;
    effect->freeCycle = -2.0f;  // as a damaged stream may hold it
    effect->OnStart(0, nullptr);
    Open();
    const auto picture = Picture(page->waveGraph);
    EXPECT_EQ(ColumnsWithWaveNear(*picture, 64, 64), 0);
    EXPECT_EQ(SolidVerticalLines(*picture), 3);
}

// The same song through two effects set alike, one of them on the page and
// its graph repainted between every two calls.
TEST_F(OnduloPage, RepaintsWhilePlayingLeaveTheOutputUnchanged) {
    ComRef<NuvMfx> unseen = nuv::testing::MakeEffect<NuvMfx>();
    unseen->Connect(context.Get());
    const ParameterList parameters = Parameters();
    for (NuvMfx* e : {effect.Get(), unseen.Get()}) {
        parameters[kModeParameter].set(*e, kContinuous);
        parameters[kWaveformParameter].set(*e, kRandom);
        e->Random().Seed(11);
        e->OnStart(0, nullptr);
        parameters[kFrequencyParameter].set(*e, 40);  // a glide on the way
        parameters[kAmplitudeParameter].set(*e, -50);
    }
    Open();
    for (std::int32_t from = 0; from < 16 * 960; from += 240) {
        const auto shown = ControllersOf(nuv::testing::RunEvents(*effect, {}, from, from + 239));
        page->waveGraph.Repaint();
        UpdateWindow(page->waveGraph.Handle());
        EXPECT_EQ(shown, ControllersOf(nuv::testing::RunEvents(*unseen, {}, from, from + 239))) << from;
    }
    unseen->Disconnect();
}

}  // namespace
}  // namespace nuv::ondulo

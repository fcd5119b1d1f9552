// The wave graph on the page, judged by sampled pixels (at the design size a
// design pixel is a pixel), and by what the engine writes while it repaints.
#include "plugins/ondulo/ondulo_parameters.h"
#include "tests/ondulo/ondulo_fixture.h"
#include "tests/ondulo/win32/page_fixture.h"

namespace nuv::ondulo {
namespace {

// How many columns show the white wave within `rows` of row y.
int ColumnsWithWaveNear(const page_test::WindowPicture& picture, int y, int rows) {
    int columns = 0;
    for (int x = 0; x < picture.Width(); ++x) {
        bool found = false;
        for (int row = std::max(0, y - rows); row <= std::min(picture.Height() - 1, y + rows); ++row)
            found = found || page_test::Near(picture.At(x, row), 0xFFFFFF, 60);
        columns += found ? 1 : 0;
    }
    return columns;
}

// How many of the vertical lines, every 15 pixels, are solid: in the grid
// colour over most of the height.
int SolidVerticalLines(const page_test::WindowPicture& picture) {
    int solid = 0;
    for (int x = 15; x < picture.Width(); x += 15) {
        int best = 0;
        for (int column = x - 1; column <= x + 1; ++column) {
            int grid = 0;
            for (int y = 0; y < picture.Height(); ++y) grid += page_test::Near(picture.At(column, y), 0x646469, 12);
            best = std::max(best, grid);
        }
        solid += best * 5 >= picture.Height() * 4 ? 1 : 0;
    }
    return solid;
}

TEST_F(OnduloPage, PulseSitsAtTheMiddleAndRisesToTheTopForATenthOfEachCycle) {
    Open();
    Click(page->waveButtons[kPulse]);
    const page_test::WindowPicture picture = Picture(page->waveGraph.Handle());
    // 240 points, four one-beat cycles; each rise and fall adds a column.
    const int top = ColumnsWithWaveNear(picture, 1, 1);
    EXPECT_TRUE(top >= 24 && top <= 32) << top;
    EXPECT_GE(ColumnsWithWaveNear(picture, 63, 1), 210);  // value 64
    EXPECT_EQ(ColumnsWithWaveNear(picture, 100, 20), 0);
}

TEST_F(OnduloPage, TheRandomPreviewIsTheSameOnEveryRepaint) {
    Open();
    Click(page->waveButtons[kRandom]);
    const page_test::WindowPicture first = Picture(page->waveGraph.Handle());
    effect->mode = kContinuous;
    effect->OnStart(0, nullptr);
    nuv::testing::RunEvents(*effect, {}, 0, 4 * 960);  // the engine draws meanwhile
    page->waveGraph.Repaint();
    const page_test::WindowPicture second = Picture(page->waveGraph.Handle());
    EXPECT_GT(ColumnsWithWaveNear(first, 64, 64), 200);
    for (int y = 0; y < first.Height(); ++y)
        for (int x = 0; x < first.Width(); ++x) ASSERT_EQ(first.At(x, y), second.At(x, y)) << x << "," << y;
}

// A damaged stream's cycle below a tick draws the grid alone; sixteen beats draw every vertical line solid.
TEST_F(OnduloPage, ACycleShorterThanATickLeavesTheGridAloneAndSixteenBeatsAreAllSolid) {
    effect->useInterval = 0;
    effect->freeCycle = -2.0f;
    effect->OnStart(0, nullptr);
    Open();
    const page_test::WindowPicture picture = Picture(page->waveGraph.Handle());
    EXPECT_EQ(ColumnsWithWaveNear(picture, 64, 64), 0);
    EXPECT_EQ(SolidVerticalLines(picture), 3);  // one line in four
    Click(page->intervalMode);
    Click(page->intervalButtons[6]);
    EXPECT_EQ(SolidVerticalLines(Picture(page->waveGraph.Handle())), 15);
}

// The same song through two effects set alike, one of them shown on the page
// with its graph repainted between every two calls.
TEST_F(OnduloPage, RepaintsWhilePlayingLeaveTheOutputUnchanged) {
    ComRef<NuvMfx> unseen = nuv::testing::MakeEffect<NuvMfx>();
    unseen->Connect(context.Get());
    const ParameterList parameters = Parameters();
    for (NuvMfx* e : {effect.Get(), unseen.Get()}) {
        parameters[kModeParameter].set(*e, kContinuous);
        parameters[kWaveformParameter].set(*e, kRandom);
        e->Random().Seed(11);
        e->OnStart(0, nullptr);
        parameters[kFrequencyParameter].set(*e, 40);  // glides on the way
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

// The NuvWobbleton page under Wine, driven through its real controls (picture: pages/NuvWobbleton_page.png in this
// build folder).
#include <gtest/gtest.h>

#include <cmath>
#include <new>

#include "plugins/wobbleton/wobbleton_page.h"
#include "tests/page/support/host_frame.h"
#include "tests/page/support/message_pump.h"
#include "tests/page/support/resize_contract.h"
#include "tests/page/support/window_picture.h"
#include "tests/support/event_builders.h"
#include "tools/host/services.h"

namespace nuv::wobbleton {
namespace {

using namespace nuv::page_test;
using nuv::testing::Message;
using nuv::testing::RunInput;

class WobbletonPageTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(effect->Connect(context.Get()), S_OK); }  // the aux service: no pulses yet
    ~WobbletonPageTest() override {
        pageRef.Reset();
        PumpUntilIdle();
        effect->Disconnect();
    }
    void Open(WobbletonPage* which) {
        ASSERT_EQ(frame.Open(which->Face(), effect->Identity()), S_OK);
        PumpUntilIdle();
    }
    // The settings as a Load would leave them, shown within one refresh.
    void Store(float amp, float freq) {
        effect->amp = amp;
        effect->freq = freq;
        effect->refreshFlag = 1;
        PumpFor(250);
    }

    ComRef<host::HostContext> context{new host::HostContext};
    ComRef<NuvMfx> effect = nuv::testing::MakeEffect<NuvMfx>();
    HostFrame frame;
    WobbletonPage* page = new (std::nothrow) WobbletonPage;
    ComRef<IPropertyPage> pageRef{page->Face()};
};

// The settings shown, the same preview at every opening, and for whatever a stream holds a preview that ends within
// the page's ranges.
TEST_F(WobbletonPageTest, ShowsTheSettingsAndAPreviewThatRepeatsAtEveryOpeningAndEndsForAnyStream) {
    Store(10.0f, 5.0f);
    Open(page);
    EXPECT_EQ(page->numbers[0].Caption(), L"10");
    EXPECT_EQ(page->numbers[1].Caption(), L"5");
    EXPECT_EQ(page->sliders[0].Value(), 23.0f);
    const std::vector<SplinePoint> preview = page->PreviewPoints();
    ASSERT_EQ(preview.size(), 22u);
    for (std::size_t i = 0; i + 1 < preview.size(); ++i) EXPECT_EQ(preview[i].x, 12.0f * static_cast<float>(i));
    EXPECT_EQ(preview.back().x, 255.0f);
    for (const SplinePoint& p : preview) EXPECT_TRUE(p.y >= 54.0f && p.y <= 74.0f) << p.y;
    EXPECT_FALSE(page->preview.Curve().empty());
    auto picture = WindowPicture::Take(page->Handle());
    ASSERT_TRUE(picture.has_value());
    CreateDirectoryW(L"Z:" NUV_PICTURE_DIR, nullptr);
    EXPECT_TRUE(picture->SavePng(L"Z:" NUV_PICTURE_DIR L"/NuvWobbleton_page.png"));
    ASSERT_EQ(frame.Close(page->Face()), S_OK);

    auto* again = new (std::nothrow) WobbletonPage;
    ComRef<IPropertyPage> againRef(again->Face());
    Open(again);
    ASSERT_EQ(again->PreviewPoints().size(), preview.size());
    for (std::size_t i = 0; i < preview.size(); ++i) EXPECT_EQ(again->PreviewPoints()[i].y, preview[i].y) << i;
    ExpectResizeContract(frame, *again);

    const float nan = std::nanf("");
    const struct {
        float amp, freq;
        std::size_t points;
    } cases[] = {{10, -7, 33}, {10, 1e30f, 16}, {nan, nan, 22}, {1e6f, 5, 22}, {-3, 0, 33}};
    for (const auto& c : cases) {
        Store(c.amp, c.freq);
        EXPECT_EQ(again->PreviewPoints().size(), c.points) << c.freq;
        for (const SplinePoint& p : again->PreviewPoints()) EXPECT_TRUE(p.y >= 32.0f && p.y <= 96.0f) << c.amp;
    }
}

TEST_F(WobbletonPageTest, OnOffEndsAndBeginsThePulsesOnceAndSlidersStoreWholeSettings) {
    const auto switchOver = [this] {
        ClickLeft(page->powerButton.Handle(), POINT{30, 30});
        PumpUntilIdle();
    };
    RunInput(*effect, {Message(0x90, 60, 100)});
    EXPECT_EQ(context->pulse->begins, 1);
    Open(page);
    switchOver();
    EXPECT_EQ(effect->enabled, 0);
    EXPECT_EQ(context->pulse->ends, 1);
    RunInput(*effect, {Message(0x80, 60, 0)});  // passes through
    EXPECT_EQ(context->pulse->ends, 1);
    switchOver();
    EXPECT_EQ(effect->enabled, 1);
    EXPECT_EQ(context->pulse->begins, 2);

    // The preview ignores the mouse.
    const std::vector<SplinePoint> curve = page->preview.Curve();
    DragLeft(page->preview.Handle(), POINT{20, 60}, POINT{120, 10}, 4);
    PumpUntilIdle();
    ASSERT_EQ(page->preview.Curve().size(), curve.size());
    for (std::size_t i = 0; i < curve.size(); ++i) EXPECT_EQ(page->preview.Curve()[i].y, curve[i].y) << i;
    EXPECT_EQ(effect->dirtyFlag, 0);

    DragLeft(page->sliders[1].Handle(), POINT{5, 60}, POINT{5, -30}, 4);  // Freq to the top
    PumpUntilIdle();
    EXPECT_EQ(effect->freq, 10.0f);
    EXPECT_EQ(page->numbers[1].Caption(), L"10");
    EXPECT_EQ(page->PreviewPoints().size(), 16u);  // breakpoints every 17
    EXPECT_EQ(effect->dirtyFlag, 1);
}

}  // namespace
}  // namespace nuv::wobbleton

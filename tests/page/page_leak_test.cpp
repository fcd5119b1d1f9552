// A hundred page lives (create, link, measure, open, paint, close, release)
// and a hundred template measurements leave no GDI object and no window
// behind.
#include <gtest/gtest.h>

#include "tests/page/page_fixture.h"
#include "tests/page/support/handle_census.h"

namespace nuv::page_test {
namespace {

// The frame offers a small page (the background stretch is the dearest part
// of a page's life under Wine, and it grows with the page), which the page
// takes as an outside resize.
void OnePageLife(HostFrame& frame, ProbeEffect& effect) {
    ProbePage* page = new (std::nothrow) ProbePage;
    ASSERT_NE(page, nullptr);
    ComRef<IPropertyPage> pageRef(page);
    const SIZE small{300, 89};
    ASSERT_EQ(frame.Open(page, effect.Identity(), &small), S_OK);
    RedrawWindow(page->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpUntilIdle();
    ASSERT_EQ(frame.Close(page), S_OK);
}

void OneMeasurement() {
    ProbePage* page = new (std::nothrow) ProbePage;
    ASSERT_NE(page, nullptr);
    ComRef<IPropertyPage> pageRef(page);
    PROPPAGEINFO info{};
    ASSERT_EQ(pageRef->GetPageInfo(&info), S_OK);  // no effect: the probe dialog measures the template
}

TEST(PageLeaks, HundredPageLivesLeaveNoHandles) {
    HostFrame frame;
    ComRef<ProbeEffect> effect(new ProbeEffect);
    OnePageLife(frame, *effect);  // first use: the system's own caches fill
    OneMeasurement();
    PumpUntilIdle();
    const std::size_t gdiBefore = FreeGdiSlots();
    const std::size_t windowsBefore = ProcessWindowCount();
    for (int i = 0; i < 100; ++i) {
        OnePageLife(frame, *effect);
        OneMeasurement();
    }
    PumpUntilIdle();
    EXPECT_EQ(effect->pageWidth, 300);  // every page took the frame's size
    EXPECT_EQ(FreeGdiSlots(), gdiBefore);
    RecordProperty("FreeGdiSlots", static_cast<int>(gdiBefore));
    EXPECT_EQ(ProcessWindowCount(), windowsBefore);
    EXPECT_EQ(effect->AddRef(), 2u);  // no page kept its reference
    effect->Release();
}

}  // namespace
}  // namespace nuv::page_test

// A thousand repaints and a hundred rescales of the gallery (every control
// repainted, its background copy refreshed, the edit fields' colour messages
// answered in both learn states, their fonts remade, the tooltips' texts
// changed) leave no GDI object and no window behind; nor does a page's life.
#include <string>

#include "tests/page/support/handle_census.h"
#include "tests/toolkit/gallery/gallery_fixture.h"

namespace nuv::toolkit_test {
namespace {

using GalleryLeaks = GalleryTest;

void Repaint(HWND page) {
    RedrawWindow(page, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

TEST_F(GalleryLeaks, RepaintsAndRescalesLeaveNoHandles) {
    RECT outer{};
    GetWindowRect(page->Handle(), &outer);
    const LONG width = outer.right - outer.left;
    const LONG height = outer.bottom - outer.top;
    const auto rescale = [&](int step) {
        const LONG grown = width + (step % 2 == 0 ? width / 3 : width / 7);
        const RECT place{0, 0, grown, grown * height / width};
        ASSERT_EQ(pageRef->Move(&place), S_OK);
    };
    const auto repaint = [&](int step) {
        page->field.SetLearning(step % 2 == 0);
        page->textRight.SetCaption(std::to_wstring(step));
        Repaint(page->Handle());
        page_test::PumpUntilIdle();
    };
    rescale(0);  // first use: the system's own caches fill
    repaint(0);
    const std::size_t gdiBefore = page_test::FreeGdiSlots();
    const std::size_t windowsBefore = page_test::ProcessWindowCount();
    for (int step = 1; step <= 1000; ++step) {
        if (step % 10 == 0) rescale(step / 10);
        repaint(step);
    }
    rescale(0);
    repaint(0);
    EXPECT_EQ(page_test::FreeGdiSlots(), gdiBefore);
    EXPECT_EQ(page_test::ProcessWindowCount(), windowsBefore);
    RecordProperty("FreeGdiSlots", static_cast<int>(gdiBefore));
}

// The controls' tooltips end with the page's window, not only with the page.
TEST_F(GalleryLeaks, APageLifeLeavesNoWindowBehind) {
    const std::size_t windowsBefore = page_test::ProcessWindowCount();
    GalleryPage* second = new (std::nothrow) GalleryPage;
    ASSERT_NE(second, nullptr);
    ComRef<IPropertyPage> secondRef(second);
    ASSERT_EQ(frame.Open(second, effect->Identity()), S_OK);
    page_test::PumpUntilIdle();
    EXPECT_GT(page_test::ProcessWindowCount(), windowsBefore);
    ASSERT_EQ(frame.Close(second), S_OK);
    page_test::PumpUntilIdle();
    EXPECT_EQ(page_test::ProcessWindowCount(), windowsBefore);
}

}  // namespace
}  // namespace nuv::toolkit_test

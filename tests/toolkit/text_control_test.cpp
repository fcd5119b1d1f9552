// The numeric field and the text displays driven by messages: what the field
// accepts, restores and posts, where its menu opens and what it sets, and the
// tooltip that a text keeps however often its caption changes.
#include <cwchar>
#include <string>

#include "tests/page/support/handle_census.h"
#include "tests/page/support/window_picture.h"
#include "tests/toolkit/gallery/gallery_fixture.h"
#include "toolkit/kop_gdiplus_drawing.h"
#include "toolkit/kop_messages.h"

#include <commctrl.h>  // after the system headers of platform/com.h

namespace nuv::toolkit_test {
namespace {

using page_test::SendWheel;
using page_test::TypeText;

using TextControls = GalleryTest;

std::wstring TextOf(HWND window) {
    wchar_t text[64] = {};
    GetWindowTextW(window, text, 64);
    return text;
}

// Replaces the field's whole text by typing.
void TypeOver(HWND field, const wchar_t* text) {
    SendMessageW(field, EM_SETSEL, 0, -1);
    TypeText(field, text);
}

TEST_F(TextControls, IntegerFieldRestoresRefusedTextAndShowsZeroAsOff) {
    const HWND field = page->field.Handle();
    TypeOver(field, L"12a");
    EXPECT_EQ(TextOf(field), L"12");
    EXPECT_EQ(page->field.IntegerValue(), 12);
    TypeOver(field, L"200");
    EXPECT_EQ(TextOf(field), L"20");  // "200" is beyond 127: back to "20"
    TypeOver(field, L"0");
    EXPECT_EQ(TextOf(field), L"OFF");
    EXPECT_EQ(page->field.IntegerValue(), 0);

    // The page still sees the edit's own change notification.
    bool changeSeen = false;
    for (const Notice& command : Received(WM_COMMAND, GALLERY_FIELD_ID)) changeSeen |= HIWORD(command.wParam) == EN_CHANGE;
    EXPECT_TRUE(changeSeen);

    TypeOver(page->realField.Handle(), L"7.25");
    EXPECT_EQ(page->realField.RealValue(), 7.25);
    TypeOver(page->realField.Handle(), L"10.5");
    EXPECT_EQ(TextOf(page->realField.Handle()), L"10.");
}

TEST_F(TextControls, WheelStopsAtTheMaximumAndStillPosts) {
    const HWND field = page->field.Handle();
    SetWindowTextW(field, L"126");
    for (int notch = 0; notch < 3; ++notch) SendWheel(field, POINT{3, 3}, WHEEL_DELTA);
    EXPECT_EQ(TextOf(field), L"127");
    SendMessageW(field, WM_KEYDOWN, VK_LEFT, 1);
    std::vector<LPARAM> values;
    for (const Notice& notice : Received(kop::WM_TEXT_WHEEL, GALLERY_FIELD_ID)) values.push_back(notice.lParam);
    EXPECT_EQ(values, (std::vector<LPARAM>{127, 127, 127}));
    EXPECT_EQ(Received(kop::WM_TEXT_KEY, GALLERY_FIELD_ID).size(), 1u);

    // The wheel over a text display asks the page for a step.
    SendWheel(page->textRight.Handle(), POINT{3, 3}, -WHEEL_DELTA);
    const std::vector<Notice> steps = Received(kop::WM_TEXT_WHEEL, GALLERY_TEXT_RIGHT_ID);
    ASSERT_EQ(steps.size(), 1u);
    EXPECT_EQ(steps[0].lParam, -1);
}

// What the thread timer saw of the menu, and the keys it sent it.
struct MenuVisit {
    RECT menu{};
    bool seen = false;
    UINT_PTR timer = 0;
};
MenuVisit visit;

// Window thread, from within the menu's own loop: notes where the menu
// opened and chooses its first item ("&Learn") with the keyboard.
void CALLBACK ChooseFirstItem(HWND, UINT, UINT_PTR, DWORD) {
    const HWND menu = FindWindowW(L"#32768", nullptr);
    if (menu == nullptr || !IsWindowVisible(menu)) return;
    KillTimer(nullptr, visit.timer);
    visit.seen = GetWindowRect(menu, &visit.menu) != FALSE;
    PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
}

TEST_F(TextControls, ContextMenuFromTheKeyboardOpensAtTheCentreAndStartsLearning) {
    const HWND field = page->field.Handle();
    visit = MenuVisit{};
    visit.timer = SetTimer(nullptr, 0, 50, &ChooseFirstItem);
    SendMessageW(field, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(field), MAKELPARAM(-1, -1));
    KillTimer(nullptr, visit.timer);
    ASSERT_TRUE(visit.seen);
    RECT rect{};
    GetWindowRect(field, &rect);
    EXPECT_NEAR(visit.menu.left, (rect.left + rect.right) / 2, 1);
    EXPECT_NEAR(visit.menu.top, (rect.top + rect.bottom) / 2, 1);
    EXPECT_TRUE(page->field.Learning());
    const std::vector<Notice> learn = Received(kop::WM_TEXT_LEARN, GALLERY_FIELD_ID);
    ASSERT_EQ(learn.size(), 1u);
    EXPECT_EQ(learn[0].lParam, kop::WM_TEXT_LEARN);
}

TEST_F(TextControls, ATextKeepsOneTooltipWhateverItsCaptionChanges) {
    const std::size_t windows = page_test::ProcessWindowCount();
    for (int step = 0; step < 50; ++step) page->textLeft.SetCaption(std::to_wstring(step));
    EXPECT_EQ(page_test::ProcessWindowCount(), windows);
    EXPECT_EQ(SendMessageW(page->textLeft.Tooltip().Handle(), TTM_GETTOOLCOUNT, 0, 0), 1);
    EXPECT_EQ(page->textLeft.TooltipText(), L"49");
    EXPECT_EQ(page->textButtonOn.TooltipText(), L"On");
    // A window text does not reach the screen: the caption is what shows.
    SetWindowTextW(page->textLeft.Handle(), L"window");
    EXPECT_EQ(page->textLeft.Caption(), L"49");
}

// A caption whose line is taller than its control still shows, whichever way
// it is aligned vertically.
TEST_F(TextControls, ACaptionTallerThanItsControlStillShows) {
    kop::KopTransparentText& text = page->textCentre;
    const RECT place = text.RectInParent();
    ASSERT_LT(place.bottom - place.top, 20);
    text.font.size = 26.0f;
    for (const std::int32_t alignment : {kop::kAlignTop, kop::kAlignCentre, kop::kAlignBottom}) {
        text.verticalAlignment = alignment;
        text.SetCaption(L"HH");
        page_test::PumpUntilIdle();
        const auto picture = page_test::WindowPicture::Take(page->Handle());
        ASSERT_TRUE(picture.has_value());
        int white = 0;
        for (int y = place.top; y < place.bottom; ++y) {
            for (int x = place.left; x < place.right; ++x) white += page_test::Near(picture->At(x, y), 0xFFFFFF, 40);
        }
        EXPECT_GT(white, 40) << "alignment " << alignment;
    }
}

TEST_F(TextControls, AMissingFontFamilyFallsBackToSansSerif) {
    EXPECT_TRUE(kop::FindFontFamily(L"Corbel"));
    EXPECT_TRUE(kop::FindFontFamily(L"No Such Family"));
    EXPECT_TRUE(kop::FindFontFamily(L""));
}

}  // namespace
}  // namespace nuv::toolkit_test

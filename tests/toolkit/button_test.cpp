// The buttons driven by mouse messages: what toggles, what is posted, what the
// page's click command says, and that the power button follows presses only.
#include "tests/toolkit/gallery/gallery_fixture.h"
#include "toolkit/kop_messages.h"

namespace nuv::toolkit_test {
namespace {

using page_test::ClickLeft;
using page_test::PressLeft;

using Buttons = GalleryTest;

// Press, release, double click, release: what a quick double click sends.
void DoubleClick(HWND button, POINT at) {
    ClickLeft(button, at);
    const LPARAM point = MAKELPARAM(at.x, at.y);
    SendMessageW(button, WM_LBUTTONDBLCLK, MK_LBUTTON, point);
    SendMessageW(button, WM_LBUTTONUP, 0, point);
}

std::vector<WORD> ClickCodes(const std::vector<Notice>& commands) {
    std::vector<WORD> codes;
    for (const Notice& command : commands) codes.push_back(HIWORD(command.wParam));
    return codes;
}

TEST_F(Buttons, DoubleClickOnAToggleTogglesTwiceAndPostsTwoPresses) {
    DoubleClick(page->checkOff.Handle(), Centre(page->checkOff));
    EXPECT_FALSE(page->checkOff.Checked());
    EXPECT_EQ(Received(kop::WM_BUTTON_LEFT_PRESSED, GALLERY_CHECK_OFF_ID).size(), 2u);
    EXPECT_EQ(ClickCodes(Received(WM_COMMAND, GALLERY_CHECK_OFF_ID)),
              (std::vector<WORD>{STN_CLICKED, STN_DBLCLK}));

    // The text button takes the double click as the static does, nothing more.
    DoubleClick(page->textButtonOff.Handle(), Centre(page->textButtonOff));
    EXPECT_TRUE(page->textButtonOff.Checked());
    EXPECT_EQ(Received(kop::WM_BUTTON_LEFT_PRESSED, GALLERY_TEXT_BUTTON_OFF_ID).size(), 1u);
}

TEST_F(Buttons, LeavingAMomentaryButtonWhilePressedReleasesIt) {
    page->lampBar.momentary = true;
    page->lampBar.SetChecked(false);
    PressLeft(page->lampBar.Handle(), Centre(page->lampBar));
    EXPECT_EQ(SendMessageW(page->lampBar.Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    SendMessageW(page->lampBar.Handle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(SendMessageW(page->lampBar.Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(Received(kop::WM_BUTTON_LEFT_PRESSED, GALLERY_LAMP_BAR_ID).size(), 1u);
    EXPECT_EQ(page->notices.size(), 2u);  // that press and its click command, nothing for the release
}

TEST_F(Buttons, WithNotifyOffOnlyTheClickCommandReachesThePage) {
    page->checkOff.notify = false;
    ClickLeft(page->checkOff.Handle(), Centre(page->checkOff));
    SendMessageW(page->checkOff.Handle(), WM_RBUTTONDOWN, MK_RBUTTON, 0);
    EXPECT_TRUE(page->checkOff.Checked());
    EXPECT_EQ(ClickCodes(Received(WM_COMMAND, GALLERY_CHECK_OFF_ID)), std::vector<WORD>{STN_CLICKED});
    EXPECT_EQ(page->notices.size(), 1u);

    page->checkOff.notify = true;
    SendMessageW(page->checkOff.Handle(), WM_RBUTTONDOWN, MK_RBUTTON, 0);
    EXPECT_EQ(Received(kop::WM_BUTTON_RIGHT_PRESSED, GALLERY_CHECK_OFF_ID).size(), 1u);
}

// The effect changed while the button still shows the old state: enabling
// and disabling the button (as a refresh may) must not write it back.
TEST_F(Buttons, PowerButtonWritesTheEffectOnPressesOnly) {
    ASSERT_TRUE(page->powerButton.Checked());
    effect->enabled = 0;
    EnableWindow(page->powerButton.Handle(), FALSE);
    EnableWindow(page->powerButton.Handle(), TRUE);
    page_test::PumpUntilIdle();
    EXPECT_EQ(effect->enabled, 0);

    DoubleClick(page->powerButton.Handle(), Centre(page->powerButton));
    EXPECT_TRUE(page->powerButton.Checked());
    EXPECT_EQ(effect->enabled, 1);
}

}  // namespace
}  // namespace nuv::toolkit_test

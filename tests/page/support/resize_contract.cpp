#include "tests/page/support/resize_contract.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/page/support/message_pump.h"

namespace nuv::page_test {

namespace {

// Every child window one of our controls took over, at its design rectangle
// times the client scale; as many of them as the dialog registered.
void ExpectEveryControlScaled(const kop::KopDialog& page) {
    const float s = page.ClientScale();
    std::size_t found = 0;
    for (HWND child = GetWindow(page.Handle(), GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        const auto* control = dynamic_cast<const kop::KopScaledControl*>(win32::SubclassedControl::FromHandle(child));
        if (control == nullptr) continue;
        ++found;
        const RECT rect = control->RectInParent();
        const RECT expected{static_cast<LONG>(s * control->designLeft), static_cast<LONG>(s * control->designTop),
                            static_cast<LONG>(s * control->designWidth), static_cast<LONG>(s * control->designHeight)};
        EXPECT_EQ((std::vector<LONG>{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top}),
                  (std::vector<LONG>{expected.left, expected.top, expected.right, expected.bottom}))
            << "control " << control->ControlId();
        EXPECT_EQ(control->scale, s) << "control " << control->ControlId();
    }
    EXPECT_EQ(found, page.RegisteredCount());
}

LONG WindowWidth(HWND window) {
    RECT outer{};
    GetWindowRect(window, &outer);
    return outer.right - outer.left;
}

// The system's own message carries the coming DPI: under Wine a process sees
// the DPI it started with, and no DPI message arrives on its own.
void ChangeDpi(const kop::KopDialog& page, WPARAM dpi) {
    SendMessageW(page.Handle(), kop::kSystemDpiScaledSizeMessage, dpi, 0);
    PumpUntilIdle();
}

}  // namespace

void ExpectResizeContract(HostFrame& frame, kop::KopDialog& page) {
    const HWND window = page.Handle();
    ASSERT_TRUE(window != nullptr && GetParent(window) == frame.Handle() && page.RegisteredCount() > 0);
    const LONG before = WindowWidth(window);
    RECT client{};
    GetClientRect(window, &client);
    DragLeft(window, POINT{client.right - 5, client.bottom - 5}, POINT{client.right + 85, client.bottom - 5}, 3);
    PumpUntilIdle();
    ASSERT_EQ(WindowWidth(window), before + 90) << "the grip drag";
    ExpectEveryControlScaled(page);

    const kop::PageGeometry& geometry = page.Geometry();
    const int width = static_cast<int>(1.2f * geometry.DesignWidth());
    SetWindowPos(window, nullptr, 0, 0, width, static_cast<int>(static_cast<float>(width) / geometry.Aspect()),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    PumpUntilIdle();
    ASSERT_EQ(geometry.UserScale(), static_cast<float>(width) / geometry.DesignWidth()) << "the size from outside";
    ExpectEveryControlScaled(page);

    ChangeDpi(page, 144);
    ASSERT_EQ(geometry.DpiFactor(), 1.5f) << "the DPI change to 144";
    ExpectEveryControlScaled(page);
    ChangeDpi(page, static_cast<WPARAM>(kop::PageGeometry::kReferenceDpi));
}

}  // namespace nuv::page_test

#include "tests/page/support/resize_contract.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/page/support/message_pump.h"

namespace nuv::page_test {

namespace {

constexpr float kContractDpi = 144.0f;
constexpr int kGripDragPixels = 90;

// The registered controls are the page's children that one of our control
// objects took over; the dialog's own count tells whether each is registered.
std::vector<const kop::KopScaledControl*> ControlsOf(const kop::KopDialog& page) {
    std::vector<const kop::KopScaledControl*> controls;
    for (HWND child = GetWindow(page.Handle(), GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        const auto* control = dynamic_cast<const kop::KopScaledControl*>(win32::SubclassedControl::FromHandle(child));
        if (control != nullptr) controls.push_back(control);
    }
    return controls;
}

void ExpectEveryControlScaled(const kop::KopDialog& page) {
    const float s = page.ClientScale();
    const std::vector<const kop::KopScaledControl*> controls = ControlsOf(page);
    EXPECT_EQ(controls.size(), page.RegisteredCount());
    for (const kop::KopScaledControl* control : controls) {
        SCOPED_TRACE(::testing::Message() << "control " << control->ControlId());
        const RECT rect = control->RectInParent();
        EXPECT_EQ(rect.left, static_cast<LONG>(s * control->designLeft));
        EXPECT_EQ(rect.top, static_cast<LONG>(s * control->designTop));
        EXPECT_EQ(rect.right - rect.left, static_cast<LONG>(s * control->designWidth));
        EXPECT_EQ(rect.bottom - rect.top, static_cast<LONG>(s * control->designHeight));
        EXPECT_EQ(control->scale, s);
    }
}

SIZE ClientSize(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return SIZE{client.right, client.bottom};
}

LONG WindowWidth(HWND window) {
    RECT outer{};
    GetWindowRect(window, &outer);
    return outer.right - outer.left;
}

void ChangeDpi(const kop::KopDialog& page, float dpi) {
    ContractMonitorDpi() = dpi;
    SendMessageW(page.Handle(), kop::kDpiScaledSizeMessage, 0, 0);
    PumpUntilIdle();
}

}  // namespace

float& ContractMonitorDpi() {
    static float dpi = 0.0f;
    return dpi;
}

void ExpectResizeContract(HostFrame& frame, kop::KopDialog& page) {
    const HWND window = page.Handle();
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(GetParent(window), frame.Handle());
    ASSERT_GT(page.RegisteredCount(), 0u);
    PumpUntilIdle();
    {
        SCOPED_TRACE("grip drag");
        const LONG before = WindowWidth(window);
        const SIZE client = ClientSize(window);
        const POINT from{client.cx - 5, client.cy - 5};
        DragLeft(window, from, POINT{from.x + kGripDragPixels, from.y}, 3);
        PumpUntilIdle();
        ASSERT_EQ(WindowWidth(window), before + kGripDragPixels);
        ExpectEveryControlScaled(page);
    }
    {
        SCOPED_TRACE("size from outside");
        const kop::PageGeometry& geometry = page.Geometry();
        const int width = static_cast<int>(1.2f * geometry.DesignWidth() * geometry.DpiFactor());
        SetWindowPos(window, nullptr, 0, 0, width, static_cast<int>(static_cast<float>(width) / geometry.Aspect()),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        PumpUntilIdle();
        ASSERT_EQ(WindowWidth(window), width);
        ExpectEveryControlScaled(page);
    }
    {
        SCOPED_TRACE("DPI 144");
        ChangeDpi(page, kContractDpi);
        ASSERT_EQ(page.Geometry().DpiFactor(), kContractDpi / kop::PageGeometry::kReferenceDpi)
            << "the page does not answer the contract's DPI: make it as ContractDpiPage<Page>";
        ExpectEveryControlScaled(page);
    }
    ChangeDpi(page, kop::PageGeometry::kReferenceDpi);
    ContractMonitorDpi() = 0.0f;
}

}  // namespace nuv::page_test

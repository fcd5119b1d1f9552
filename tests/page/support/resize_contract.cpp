#include "tests/page/support/resize_contract.h"

#include <gtest/gtest.h>

#include <vector>

#include "framework/page/property_page.h"
#include "tests/page/support/message_pump.h"

namespace nuv::page_test {

namespace {

constexpr WPARAM kRaisedDpi = 144;

// The page's children that a control of ours took over.
std::vector<const kop::KopScaledControl*> OwnControls(const kop::KopDialog& page) {
    std::vector<const kop::KopScaledControl*> found;
    for (HWND child = GetWindow(page.Handle(), GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        const auto* control = dynamic_cast<const kop::KopScaledControl*>(win32::SubclassedControl::FromHandle(child));
        if (control != nullptr) found.push_back(control);
    }
    return found;
}

void ExpectEveryControlScaled(const kop::KopDialog& page, const char* after) {
    const float s = page.ClientScale();
    const std::vector<const kop::KopScaledControl*> controls = OwnControls(page);
    EXPECT_EQ(controls.size(), page.RegisteredCount()) << after;
    for (const kop::KopScaledControl* c : controls) {
        const RECT r = c->RectInParent();
        EXPECT_TRUE(r.left == static_cast<LONG>(s * c->designLeft) && r.top == static_cast<LONG>(s * c->designTop) &&
                    r.right - r.left == static_cast<LONG>(s * c->designWidth) &&
                    r.bottom - r.top == static_cast<LONG>(s * c->designHeight) && c->scale == s)
            << after << ": control " << c->ControlId() << " at " << r.left << "," << r.top << " " << r.right - r.left
            << "x" << r.bottom - r.top << ", scale " << c->scale << " of " << s;
    }
}

}  // namespace

void ExpectResizeContract(HostFrame& frame, kop::KopDialog& page) {
    ASSERT_EQ(GetParent(page.Handle()), frame.Handle());
    RECT client{};
    GetClientRect(page.Handle(), &client);
    const POINT grip{client.right - 5, client.bottom - 5};
    DragLeft(page.Handle(), grip, POINT{grip.x + 90, grip.y}, 3);
    PumpUntilIdle();
    EXPECT_GT(page.ClientScale(), 1.0f);
    ExpectEveryControlScaled(page, "after a grip drag");

    const auto width = static_cast<LONG>(1.3f * page.Geometry().DesignWidth());
    const RECT place{0, 0, width, static_cast<LONG>(static_cast<float>(width) / page.Geometry().Aspect())};
    if (auto* host = dynamic_cast<NuvMfxPropertyPage*>(&page)) {
        EXPECT_EQ(host->Face()->Move(&place), S_OK);
    } else {
        SetWindowPos(page.Handle(), nullptr, 0, 0, place.right, place.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    PumpUntilIdle();
    EXPECT_EQ(page.Geometry().UserScale(), static_cast<float>(width) / page.Geometry().DesignWidth());
    ExpectEveryControlScaled(page, "after an outside Move");

    SendMessageW(page.Handle(), kop::kSystemDpiScaledSizeMessage, kRaisedDpi, 0);
    PumpUntilIdle();
    EXPECT_EQ(page.Geometry().DpiFactor(), 1.5f);
    ExpectEveryControlScaled(page, "after a DPI change to 144");
}

}  // namespace nuv::page_test

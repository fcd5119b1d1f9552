// One probe page, one probe effect and one host frame per test; the page is
// released (and with it any window a test left open) at the end.
#pragma once

#include <gtest/gtest.h>

#include <new>

#include "tests/page/support/host_frame.h"
#include "tests/page/support/message_pump.h"
#include "tests/page/support/probe_page.h"
#include "platform/com_ref.h"

namespace nuv::page_test {

// The probe template's outer size at 96 DPI: 376 x 102 dialog units of
// 1.5 x 1.625 pixels, plus a one-pixel border on each side.
inline constexpr LONG kDesignWidth = 566;
inline constexpr LONG kDesignHeight = 168;

class PageTest : public ::testing::Test {
protected:
    PageTest() : effect(new ProbeEffect), page(new (std::nothrow) ProbePage), pageRef(page) {}
    ~PageTest() override {
        pageRef.Reset();
        PumpUntilIdle();
    }

    IUnknown* EffectObject() const { return effect->Identity(); }
    // Opens the page in the frame with the probe effect linked.
    void OpenLinked(const SIZE* size = nullptr) {
        ASSERT_EQ(frame.Open(page, EffectObject(), size), S_OK);
        PumpUntilIdle();
    }
    HWND PageWindow() const { return page->Handle(); }
    SIZE WindowSize() const {
        RECT outer{};
        GetWindowRect(page->Handle(), &outer);
        return SIZE{outer.right - outer.left, outer.bottom - outer.top};
    }
    SIZE ClientSize() const {
        RECT client{};
        GetClientRect(page->Handle(), &client);
        return SIZE{client.right, client.bottom};
    }

    HostFrame frame;
    ComRef<ProbeEffect> effect;
    ProbePage* page;  // owned through pageRef
    ComRef<IPropertyPage> pageRef;
};

}  // namespace nuv::page_test

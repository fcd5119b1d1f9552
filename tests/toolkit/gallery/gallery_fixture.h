// One gallery page in the page test frame per test, linked to a probe effect,
// released (with its window) at the end; and the ways the tests reach its
// controls.
#pragma once

#include <gtest/gtest.h>

#include <new>

#include "platform/com_ref.h"
#include "tests/page/support/host_frame.h"
#include "tests/page/support/message_pump.h"
#include "tests/page/support/probe_page.h"
#include "tests/toolkit/gallery/gallery_page.h"

namespace nuv::toolkit_test {

class GalleryTest : public ::testing::Test {
protected:
    GalleryTest() : effect(new page_test::ProbeEffect), page(new (std::nothrow) GalleryPage), pageRef(page) {}
    ~GalleryTest() override {
        pageRef.Reset();
        page_test::PumpUntilIdle();
    }
    void SetUp() override {
        ASSERT_EQ(frame.Open(page, effect->Identity()), S_OK);
        page_test::PumpUntilIdle();
        page->notices.clear();
    }

    // The notices of `message` from control `id` that arrived by now.
    std::vector<Notice> Received(UINT message, int id) {
        page_test::PumpUntilIdle();
        std::vector<Notice> found;
        for (const Notice& notice : page->Of(message)) {
            if (static_cast<int>(LOWORD(notice.wParam)) == id) found.push_back(notice);
        }
        return found;
    }
    static POINT Centre(const kop::KopScaledControl& control) {
        RECT client{};
        GetClientRect(control.Handle(), &client);
        return POINT{client.right / 2, client.bottom / 2};
    }
    // The rectangle of a control in the page's client area.
    RECT PlaceOf(const kop::KopScaledControl& control) const { return control.RectInParent(); }

    page_test::HostFrame frame;
    ComRef<page_test::ProbeEffect> effect;
    GalleryPage* page;  // owned through pageRef
    ComRef<IPropertyPage> pageRef;
};

}  // namespace nuv::toolkit_test

// One NuvOndulo page per test in the page test frame, linked to an effect
// connected to a substitute host at 960 ticks per beat; released at the end.
#pragma once

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <string>

#include "plugins/ondulo/ondulo_effect.h"
#include "plugins/ondulo/ondulo_page.h"
#include "tests/page/support/message_pump.h"
#include "tests/page/support/resize_contract.h"
#include "tests/page/support/window_picture.h"
#include "tests/support/event_builders.h"
#include "tools/host/services.h"

namespace nuv::ondulo {

class OnduloPage : public ::testing::Test {
protected:
    using Page = NuvMfxPropertyPage;

    OnduloPage() : page(new (std::nothrow) Page), pageRef(page) {
        context->time->timebase = 960;
        effect->Connect(context.Get());
    }
    ~OnduloPage() override {
        pageRef.Reset();
        page_test::PumpUntilIdle();
        effect->Disconnect();
    }
    void Open(bool linked = true) {
        ASSERT_EQ(frame.Open(page, linked ? effect->Identity() : nullptr), S_OK);
        page_test::PumpUntilIdle();
    }
    static void Click(const kop::KopScaledControl& control) {
        page_test::ClickLeft(control.Handle(), POINT{3, 3});
        page_test::PumpUntilIdle();
    }
    static std::wstring TextOf(const kop::KopScaledControl& control) {
        wchar_t text[32] = {};
        GetWindowTextW(control.Handle(), text, 32);
        return text;
    }
    static page_test::WindowPicture Picture(HWND window) {
        page_test::PumpUntilIdle();
        std::optional<page_test::WindowPicture> picture = page_test::WindowPicture::Take(window);
        if (!picture) throw std::runtime_error("the control's picture could not be taken");
        return std::move(*picture);
    }

    page_test::HostFrame frame;
    ComRef<host::HostContext> context{new host::HostContext};
    ComRef<NuvMfx> effect = nuv::testing::MakeEffect<NuvMfx>();
    Page* page;  // owned through pageRef
    ComRef<IPropertyPage> pageRef;
};

}  // namespace nuv::ondulo

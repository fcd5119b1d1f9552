// One NuvOndulo page in the page test frame per test, linked to an effect
// connected to a substitute host at 960 ticks per beat, and the ways the tests
// reach its controls. The page and its window are released at the end.
#pragma once

#include <gtest/gtest.h>

#include <new>
#include <string>

#include "plugins/ondulo/ondulo_effect.h"
#include "plugins/ondulo/ondulo_page.h"
#include "tests/page/support/host_frame.h"
#include "tests/page/support/message_pump.h"
#include "tests/page/support/resize_contract.h"
#include "tests/page/support/window_picture.h"
#include "tests/support/event_builders.h"
#include "tools/host/services.h"

namespace nuv::ondulo {

using Page = page_test::ContractDpiPage<NuvMfxPropertyPage>;

class OnduloPage : public ::testing::Test {
protected:
    OnduloPage() : page(new (std::nothrow) Page), pageRef(page) {
        context->time->timebase = 960;
        effect->Connect(context.Get());
    }
    ~OnduloPage() override {
        pageRef.Reset();
        page_test::PumpUntilIdle();
        effect->Disconnect();
    }
    void Open() {
        ASSERT_EQ(frame.Open(page, effect->Identity()), S_OK);
        page_test::PumpUntilIdle();
    }
    static void Click(const kop::KopScaledControl& control) {
        RECT client{};
        GetClientRect(control.Handle(), &client);
        page_test::ClickLeft(control.Handle(), POINT{client.right / 2, client.bottom / 2});
        page_test::PumpUntilIdle();
    }
    static std::wstring TextOf(HWND window) {
        wchar_t text[32] = {};
        GetWindowTextW(window, text, 32);
        return text;
    }
    static std::optional<page_test::WindowPicture> Picture(const kop::KopScaledControl& control) {
        page_test::PumpUntilIdle();
        return page_test::WindowPicture::Take(control.Handle());
    }

    page_test::HostFrame frame;
    ComRef<host::HostContext> context{new host::HostContext};
    ComRef<NuvMfx> effect = nuv::testing::MakeEffect<NuvMfx>();
    Page* page;  // owned through pageRef
    ComRef<IPropertyPage> pageRef;
};

}  // namespace nuv::ondulo

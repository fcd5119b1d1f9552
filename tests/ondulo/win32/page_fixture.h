// One NuvOndulo page per test in the page test frame, linked to an effect
// connected to a substitute host at 960 ticks per beat; released at the end.
#pragma once

#include <stdexcept>
#include <string>

#include "plugins/ondulo/ondulo_effect.h"
#include "plugins/ondulo/ondulo_page.h"
#include "tests/page/support/window_picture.h"
#include "tests/pages/page_under_test.h"
#include "tools/host/services.h"

namespace nuv::ondulo {

class OnduloPage : public page_test::PageFixture<NuvMfxPropertyPage, NuvMfx> {
protected:
    OnduloPage() {
        context->time->timebase = 960;
        effect->Connect(context.Get());
    }
    ~OnduloPage() override {
        pageRef.Reset();
        page_test::PumpUntilIdle();
        effect->Disconnect();
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

    ComRef<host::HostContext> context{new host::HostContext};
};

}  // namespace nuv::ondulo

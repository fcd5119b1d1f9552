// A page opened in the page test frame on an effect of its own, and driven
// through its controls. Window thread.
#pragma once

#include <gtest/gtest.h>

#include <new>

#include "platform/win32/module.h"
#include "platform/win32/module_handle.h"
#include "tests/page/support/message_pump.h"
#include "tests/page/support/resize_contract.h"
#include "tests/server/win32/deliverable_module.h"
#include "tests/support/event_builders.h"

namespace nuv::page_test {

template <class PageClass, class EffectClass>
class PageFixture : public ::testing::Test {
protected:
    using Page = PageClass;

    ~PageFixture() override {
        pageRef.Reset();
        PumpUntilIdle();
    }
    // Opens the page on its effect, or on `object` (null: on none).
    void Open() { OpenOn(effect->Identity()); }
    void OpenOn(IUnknown* object) {
        ASSERT_EQ(frame.Open(page, object), S_OK);
        PumpUntilIdle();
    }
    static void Click(const kop::KopScaledControl& control) {
        ClickLeft(control.Handle(), POINT{2, 2});
        PumpUntilIdle();
    }
    static void Key(const kop::KopScaledControl& control, UINT key, int times = 1) {
        for (int i = 0; i < times; ++i) SendKey(control.Handle(), key);
        PumpUntilIdle();
    }
    // One tick of the refresh timer, as the timer gives it every 100 ms.
    static void Tick(kop::KopDialog& dialog) {
        SendMessageW(dialog.Handle(), WM_TIMER, kRefreshTimerId, 0);
        PumpUntilIdle();
    }
    bool Dirty() { return effect->IsDirty() == S_OK || pageRef->IsPageDirty() == S_OK; }

    HostFrame frame;
    ComRef<EffectClass> effect = testing::MakeEffect<EffectClass>();
    Page* page = new (std::nothrow) Page;  // owned through pageRef
    ComRef<IPropertyPage> pageRef{page};
};

// One deliverable's page, linked in from its own code, on the template and
// background of the deliverable's DLL (loaded for its resources).
template <class Deliverable>
class PageUnderTest : public PageFixture<typename Deliverable::Page, typename Deliverable::Effect> {
protected:
    PageUnderTest() : resources_(LoadLibraryW(testing::DeliverablePath(Deliverable::kName).c_str())) {
        NuvMfxDLL::Get().SetInstance(resources_.Get());
    }
    ~PageUnderTest() override {
        this->pageRef.Reset();  // before the resources it was made from
        PumpUntilIdle();
        NuvMfxDLL::Get().SetInstance(nullptr);
    }

    win32::ModuleHandle resources_;
};

}  // namespace nuv::page_test

// One deliverable's page, linked in from its own code, opened in the page
// test frame on the template and background of the deliverable's DLL (loaded
// for its resources), with an effect of its own; and the ways the tests reach
// its controls. Window thread.
#pragma once

#include <gtest/gtest.h>

#include <new>

#include "platform/com_ref.h"
#include "platform/win32/module.h"
#include "platform/win32/module_handle.h"
#include "tests/page/support/host_frame.h"
#include "tests/page/support/message_pump.h"
#include "tests/page/support/resize_contract.h"
#include "tests/server/win32/deliverable_module.h"
#include "tests/support/event_builders.h"
#include "toolkit/kop_scaled_control.h"

namespace nuv::page_test {

template <class Deliverable>
class PageUnderTest : public ::testing::Test {
protected:
    using Page = ContractDpiPage<typename Deliverable::Page>;
    using Effect = typename Deliverable::Effect;

    PageUnderTest() : resources_(LoadLibraryW(testing::DeliverablePath(Deliverable::kName).c_str())) {
        NuvMfxDLL::Get().SetInstance(resources_.Get());
    }
    ~PageUnderTest() override {
        pageRef.Reset();
        PumpUntilIdle();
        NuvMfxDLL::Get().SetInstance(nullptr);
    }

    void Open(IUnknown* object = nullptr) {
        ASSERT_TRUE(resources_) << "no " << Deliverable::kName << " to take the page's resources from";
        ASSERT_EQ(frame.Open(page, object != nullptr ? object : effect->Identity()), S_OK);
        PumpUntilIdle();
    }
    static POINT Centre(const kop::KopScaledControl& control) {
        RECT client{};
        GetClientRect(control.Handle(), &client);
        return POINT{client.right / 2, client.bottom / 2};
    }
    static void Click(const kop::KopScaledControl& control) {
        ClickLeft(control.Handle(), Centre(control));
        PumpUntilIdle();
    }
    static void Key(const kop::KopScaledControl& control, UINT key, int times = 1) {
        for (int i = 0; i < times; ++i) SendKey(control.Handle(), key);
        PumpUntilIdle();
    }
    // One tick of the refresh timer, as the timer gives it every 100 ms.
    void Tick() {
        SendMessageW(page->Handle(), WM_TIMER, kRefreshTimerId, 0);
        PumpUntilIdle();
    }
    bool EffectDirty() { return effect->IsDirty() == S_OK; }
    bool PageDirty() { return pageRef->IsPageDirty() == S_OK; }

    win32::ModuleHandle resources_;  // outlives the page, which is released first
    HostFrame frame;
    ComRef<Effect> effect = testing::MakeEffect<Effect>();
    Page* page = new (std::nothrow) Page;  // owned through pageRef
    ComRef<IPropertyPage> pageRef{page};
};

}  // namespace nuv::page_test

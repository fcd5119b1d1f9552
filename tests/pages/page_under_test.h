// One deliverable's page, linked in from its own code, opened in the page
// test frame on the template and background of the deliverable's DLL (loaded
// for its resources), with an effect of its own. Window thread.
#pragma once

#include <gtest/gtest.h>

#include "platform/win32/module.h"
#include "platform/win32/module_handle.h"
#include "tests/page/support/message_pump.h"
#include "tests/page/support/resize_contract.h"
#include "tests/server/win32/deliverable_module.h"
#include "tests/support/event_builders.h"

namespace nuv::page_test {

template <class Deliverable>
class PageUnderTest : public ::testing::Test {
protected:
    using Page = typename Deliverable::Page;

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

    win32::ModuleHandle resources_;  // outlives the page, which is released first
    HostFrame frame;
    ComRef<typename Deliverable::Effect> effect = testing::MakeEffect<typename Deliverable::Effect>();
    Page* page = new (std::nothrow) Page;  // owned through pageRef
    ComRef<IPropertyPage> pageRef{page};
};

}  // namespace nuv::page_test

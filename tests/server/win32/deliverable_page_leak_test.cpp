// A hundred open-close cycles of each deliverable's own page, made by its
// DLL and linked to an effect of the same DLL as a host does it, leave no
// GDI object, no window and no object of the module behind.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "platform/com_ref.h"
#include "tests/page/support/handle_census.h"
#include "tests/page/support/host_frame.h"
#include "tests/page/support/message_pump.h"
#include "tests/server/win32/deliverable_module.h"

namespace nuv::testing {
namespace {

struct Deliverable {
    const char* name;
    const wchar_t* effectClass;
};

// How a failure names the deliverable.
void PrintTo(const Deliverable& deliverable, std::ostream* out) { *out << deliverable.name; }

const Deliverable kDeliverables[] = {
    {"NuvShiftwell", L"{5E7C05D8-1032-4CAF-A6CB-1F86E0A4AF3D}"},
    {"NuvOndulo", L"{0AF8549C-6171-413C-B3F2-22528219FEF9}"},
    {"NuvSloppet", L"{500F07AA-BBB6-40FE-9CF3-7158B8F5E940}"},
    {"NuvGapkeeper", L"{64BAACC1-F425-4356-8FEF-294BBDC99514}"},
    {"NuvVelocurveV2", L"{B0D2C5BE-6E1A-40DD-AC44-6EA9B52B88F7}"},
    {"NuvWobbleton", L"{D029B552-195C-4090-B38C-66E7517AF394}"},
};

constexpr int kCycles = 100;

CLSID ClassOf(const wchar_t* text) {
    CLSID id{};
    CLSIDFromString(text, &id);
    return id;
}

// One page life as a host lives it: made by the module, opened in the frame
// (linked, measured, activated with its first refresh, shown), painted,
// closed and released.
void OnePageLife(const DeliverableModule& module, REFCLSID pageClass, page_test::HostFrame& frame, IUnknown* effect) {
    ComRef<IUnknown> made(module.Create(pageClass));
    auto page = QueryFace<IPropertyPage>(made.Get(), IID_IPropertyPage);
    ASSERT_TRUE(page);
    ASSERT_EQ(frame.Open(page.Get(), effect), S_OK);
    const HWND window = GetWindow(frame.Handle(), GW_CHILD);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    page_test::PumpUntilIdle();
    ASSERT_EQ(frame.Close(page.Get()), S_OK);
}

class DeliverablePageLives : public ::testing::TestWithParam<Deliverable> {};

TEST_P(DeliverablePageLives, AHundredOpenCloseCyclesLeaveNoHandlesBehind) {
    const Deliverable& deliverable = GetParam();
    DeliverableModule module(DeliverablePath(deliverable.name));
    ASSERT_TRUE(module.Loaded());
    ComRef<IUnknown> effect(module.Create(ClassOf(deliverable.effectClass)));
    ASSERT_TRUE(effect);
    const CLSID pageClass = PageClassOf(effect.Get());
    page_test::HostFrame frame;

    OnePageLife(module, pageClass, frame, effect.Get());  // first use: the system's caches fill
    page_test::PumpUntilIdle();
    const std::size_t gdiBefore = page_test::FreeGdiSlots();
    const std::size_t windowsBefore = page_test::ProcessWindowCount();
    for (int i = 0; i < kCycles; ++i) {
        OnePageLife(module, pageClass, frame, effect.Get());
        if (HasFatalFailure()) return;
    }
    page_test::PumpUntilIdle();
    EXPECT_EQ(page_test::FreeGdiSlots(), gdiBefore) << deliverable.name << " leaks GDI objects";
    EXPECT_EQ(page_test::ProcessWindowCount(), windowsBefore) << deliverable.name << " leaves windows";
    EXPECT_EQ(effect->AddRef(), 2u) << "a page kept its reference to the effect";
    effect->Release();
    effect.Reset();
    EXPECT_EQ(module.CanUnloadNow(), S_OK);
}

INSTANTIATE_TEST_SUITE_P(Six, DeliverablePageLives, ::testing::ValuesIn(kDeliverables),
                         [](const ::testing::TestParamInfo<Deliverable>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace nuv::testing

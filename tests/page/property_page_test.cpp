// The page's IPropertyPage face as a host drives it: which calls succeed in
// which state, what each one leaves behind, and the references it holds.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/page/page_fixture.h"
#include "platform/win32/module.h"
#include "tests/page/support/handle_census.h"

namespace nuv::page_test {
namespace {

using PropertyPageCalls = PageTest;

TEST_F(PropertyPageCalls, AnswersItsTwoInterfacesOnly) {
    void* face = nullptr;
    EXPECT_EQ(pageRef->QueryInterface(IID_IUnknown, &face), S_OK);
    EXPECT_EQ(face, static_cast<void*>(page->Face()));
    static_cast<IUnknown*>(face)->Release();
    EXPECT_EQ(pageRef->QueryInterface(IID_IPropertyPage, &face), S_OK);
    static_cast<IUnknown*>(face)->Release();
    face = reinterpret_cast<void*>(0x1);
    EXPECT_EQ(pageRef->QueryInterface(IID_IPropertyPage2, &face), E_NOINTERFACE);
    EXPECT_EQ(face, nullptr);
    EXPECT_EQ(pageRef->QueryInterface(IID_IPropertyPage, nullptr), E_POINTER);
}

TEST_F(PropertyPageCalls, PageSiteIsHeldOnceAndDroppedOnNull) {
    RecordingPageSite& site = frame.Site();
    EXPECT_EQ(pageRef->SetPageSite(nullptr), E_UNEXPECTED);
    EXPECT_EQ(pageRef->SetPageSite(&site), S_OK);
    EXPECT_EQ(site.References(), 2);
    EXPECT_EQ(pageRef->SetPageSite(&site), E_UNEXPECTED);
    EXPECT_EQ(site.References(), 2);
    EXPECT_EQ(pageRef->SetPageSite(nullptr), S_OK);
    EXPECT_EQ(site.References(), 1);
    EXPECT_EQ(pageRef->SetPageSite(nullptr), E_UNEXPECTED);
}

TEST_F(PropertyPageCalls, SetObjectsLinksOneEffectWithOneReference) {
    IUnknown* objects[2] = {EffectObject(), nullptr};
    IUnknown* none[1] = {nullptr};
    EXPECT_EQ(pageRef->SetObjects(0, nullptr), E_UNEXPECTED);  // nothing linked yet
    EXPECT_EQ(pageRef->SetObjects(1, nullptr), E_POINTER);
    EXPECT_EQ(pageRef->SetObjects(1, none), E_POINTER);
    EXPECT_EQ(pageRef->SetObjects(1, objects), S_OK);
    EXPECT_EQ(page->Effect(), effect.Get());
    EXPECT_EQ(effect->AddRef(), 3u);  // ours, the page's and this one
    effect->Release();
    EXPECT_EQ(pageRef->SetObjects(1, objects), S_OK);  // the same effect again adds nothing
    EXPECT_EQ(effect->AddRef(), 3u);
    effect->Release();

    ComRef<ProbeEffect> other(new ProbeEffect);
    objects[1] = other->Identity();
    EXPECT_EQ(pageRef->SetObjects(2, objects), E_UNEXPECTED);
    EXPECT_EQ(page->Effect(), effect.Get());  // the link stays

    // An object that is not one of our effects is refused, not cast.
    IUnknown* foreign[1] = {&frame.Site()};
    const std::int32_t siteReferences = frame.Site().References();
    EXPECT_EQ(pageRef->SetObjects(1, foreign), E_NOINTERFACE);
    EXPECT_EQ(page->Effect(), effect.Get());
    EXPECT_EQ(frame.Site().References(), siteReferences);

    IUnknown* second[1] = {other->Identity()};
    EXPECT_EQ(pageRef->SetObjects(1, second), S_OK);
    EXPECT_EQ(page->Effect(), other.Get());
    EXPECT_EQ(effect->AddRef(), 2u);  // the first one was let go
    effect->Release();

    EXPECT_EQ(pageRef->SetObjects(0, nullptr), S_OK);
    EXPECT_EQ(page->Effect(), nullptr);
    EXPECT_EQ(other->AddRef(), 2u);
    other->Release();
}

TEST_F(PropertyPageCalls, LastReleaseDropsTheEffectAndAnOpenWindow) {
    OpenLinked();
    const HWND window = PageWindow();
    ASSERT_TRUE(IsWindow(window));
    EXPECT_EQ(frame.Site().References(), 2);
    pageRef.Reset();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(effect->AddRef(), 2u);  // only ours is left
    effect->Release();
    // The site is the host's to take back; a page released without that call
    // still lets go of it.
    EXPECT_EQ(frame.Site().References(), 1);
}

TEST_F(PropertyPageCalls, ActivateCreatesOneChildWindowAtTheRectangle) {
    const RECT place{10, 20, 10 + kDesignWidth, 20 + kDesignHeight};
    EXPECT_EQ(pageRef->Activate(frame.Handle(), nullptr, FALSE), E_POINTER);
    EXPECT_EQ(PageWindow(), nullptr);
    ASSERT_EQ(pageRef->Activate(frame.Handle(), &place, TRUE), S_OK);
    const HWND window = PageWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(GetParent(window), frame.Handle());
    EXPECT_EQ(page->ParentWindow(), frame.Handle());
    EXPECT_TRUE(GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD);
    EXPECT_TRUE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_CONTROLPARENT);
    EXPECT_TRUE(IsWindowVisible(window));
    RECT outer{};
    GetWindowRect(window, &outer);
    MapWindowPoints(HWND_DESKTOP, frame.Handle(), reinterpret_cast<POINT*>(&outer), 2);
    EXPECT_EQ(outer.left, 10);
    EXPECT_EQ(outer.top, 20);

    const std::size_t windows = ProcessWindowCount();
    EXPECT_EQ(pageRef->Activate(frame.Handle(), &place, FALSE), E_UNEXPECTED);
    EXPECT_EQ(PageWindow(), window);
    EXPECT_EQ(ProcessWindowCount(), windows);

    EXPECT_EQ(pageRef->Deactivate(), S_OK);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(PageWindow(), nullptr);
    EXPECT_EQ(pageRef->Deactivate(), E_UNEXPECTED);
    // A page can be activated again after a deactivation.
    ASSERT_EQ(pageRef->Activate(frame.Handle(), &place, FALSE), S_OK);
    EXPECT_TRUE(IsWindow(PageWindow()));
}

TEST_F(PropertyPageCalls, ShowTakesHideShowAndShowNormalOnly) {
    EXPECT_EQ(pageRef->Show(SW_SHOW), E_UNEXPECTED);  // no window yet
    OpenLinked();
    EXPECT_EQ(pageRef->Show(SW_HIDE), S_OK);
    EXPECT_FALSE(IsWindowVisible(PageWindow()));
    EXPECT_EQ(pageRef->Show(SW_SHOW), S_OK);
    EXPECT_TRUE(IsWindowVisible(PageWindow()));
    EXPECT_EQ(pageRef->Show(SW_HIDE), S_OK);
    EXPECT_EQ(pageRef->Show(SW_SHOWNORMAL), S_OK);
    EXPECT_TRUE(IsWindowVisible(PageWindow()));
    for (UINT refused : {UINT{SW_MINIMIZE}, UINT{SW_MAXIMIZE}, UINT{SW_SHOWMINNOACTIVE}, UINT{SW_RESTORE}, 99u}) {
        EXPECT_EQ(pageRef->Show(refused), E_INVALIDARG) << refused;
    }
    EXPECT_TRUE(IsWindowVisible(PageWindow()));
}

TEST_F(PropertyPageCalls, MovePlacesTheWindowAndRefusesNull) {
    OpenLinked();
    EXPECT_EQ(pageRef->Move(nullptr), E_POINTER);
    const RECT place{30, 40, 30 + 700, 40 + 200};
    EXPECT_EQ(pageRef->Move(&place), S_OK);
    RECT outer{};
    GetWindowRect(PageWindow(), &outer);
    MapWindowPoints(HWND_DESKTOP, frame.Handle(), reinterpret_cast<POINT*>(&outer), 2);
    EXPECT_EQ(outer.left, 30);
    EXPECT_EQ(outer.top, 40);
    EXPECT_EQ(outer.right - outer.left, 700);
    EXPECT_EQ(outer.bottom - outer.top, 200);
}

TEST_F(PropertyPageCalls, PageInfoFallsBackToTheTemplateSize) {
    PROPPAGEINFO info;
    std::memset(&info, 0xCD, sizeof(info));  // a host may hand the structure over uninitialised
    EXPECT_EQ(pageRef->GetPageInfo(&info), S_OK);
    EXPECT_EQ(info.cb, sizeof(PROPPAGEINFO));  // 28 bytes for 32-bit hosts, 48 for 64-bit ones
    EXPECT_EQ(info.pszTitle, nullptr);
    EXPECT_EQ(info.pszDocString, nullptr);
    EXPECT_EQ(info.pszHelpFile, nullptr);
    EXPECT_EQ(info.dwHelpContext, 0u);
    EXPECT_EQ(info.size.cx, kDesignWidth);  // no effect linked: the template's size
    EXPECT_EQ(info.size.cy, kDesignHeight);

    IUnknown* objects[1] = {EffectObject()};
    ASSERT_EQ(pageRef->SetObjects(1, objects), S_OK);
    EXPECT_EQ(pageRef->GetPageInfo(&info), S_OK);  // the effect's -1 values
    EXPECT_EQ(info.size.cx, kDesignWidth);
    EXPECT_EQ(info.size.cy, kDesignHeight);
    effect->pageWidth = 700;
    effect->pageHeight = 0;  // both must be above 0
    EXPECT_EQ(pageRef->GetPageInfo(&info), S_OK);
    EXPECT_EQ(info.size.cx, kDesignWidth);
    effect->pageHeight = 208;
    EXPECT_EQ(pageRef->GetPageInfo(&info), S_OK);
    EXPECT_EQ(info.size.cx, 700);
    EXPECT_EQ(info.size.cy, 208);
    EXPECT_EQ(pageRef->GetPageInfo(nullptr), E_POINTER);
}

TEST_F(PropertyPageCalls, PageInfoMatchesTheActivatedWindow) {
    OpenLinked();
    EXPECT_EQ(WindowSize().cx, frame.OfferedSize().cx);
    EXPECT_EQ(WindowSize().cy, frame.OfferedSize().cy);
}

TEST_F(PropertyPageCalls, GdiplusRunsForThePagesLife) { EXPECT_TRUE(page->GdiplusRunning()); }

// Resources come from the module object's instance: a module without the
// page template gives no window and the fallback size.
TEST_F(PropertyPageCalls, ModuleWithoutTheTemplateGivesNoWindow) {
    struct ModuleSwap {
        ModuleSwap() { NuvMfxDLL::Get().SetInstance(GetModuleHandleW(L"kernel32.dll")); }
        ~ModuleSwap() { NuvMfxDLL::Get().SetInstance(nullptr); }
    } swap;
    const std::size_t windows = ProcessWindowCount();
    PROPPAGEINFO info{};
    EXPECT_EQ(pageRef->GetPageInfo(&info), S_OK);
    EXPECT_EQ(info.size.cx, 100);
    EXPECT_EQ(info.size.cy, 100);
    const RECT place{0, 0, 200, 100};
    EXPECT_EQ(pageRef->Activate(frame.Handle(), &place, FALSE), E_OUTOFMEMORY);
    EXPECT_EQ(PageWindow(), nullptr);
    EXPECT_EQ(ProcessWindowCount(), windows);
}

TEST_F(PropertyPageCalls, DirtyUntilAppliedAndNoHelp) {
    EXPECT_EQ(pageRef->IsPageDirty(), S_FALSE);
    EXPECT_EQ(pageRef->Apply(), S_OK);
    EXPECT_EQ(pageRef->Help(L"C:\\"), E_NOTIMPL);
    EXPECT_EQ(pageRef->TranslateAccelerator(nullptr), E_NOTIMPL);
}

}  // namespace
}  // namespace nuv::page_test

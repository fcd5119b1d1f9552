// NuvMfxPropertyPage: the editor page of every deliverable, a KopDialog that
// the host drives through IPropertyPage. It links one effect (SetObjects),
// holds the host's page site (SetPageSite), creates its window on the
// template of the module (Activate), polls the effect's refresh flag every
// 100 ms while the window lives, and stores the page size in the effect.
//
// Every call runs on the window thread, which debug builds check; the calls
// that create, move or destroy windows take a ModuleStateGuard for their
// whole body.
//
// A deliverable's own page derives from this class and fills in the hooks
// (InitPage, ReadDisplayedValues, HasOwnReasonToRefresh, OnPageMessage,
// BeforeDeactivate); its server identity names the page's maker.
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>

#include "platform/com_object.h"
#include "platform/com_ref.h"
#include "platform/win32/thread_affinity.h"
#include "toolkit/kop_dialog.h"

namespace nuv {

inline constexpr UINT_PTR kRefreshTimerId = 1;
inline constexpr UINT kRefreshPeriodMs = 100;
inline constexpr int kDefaultBackgroundBitmapId = 130;
inline constexpr int kDefaultPowerButtonId = 1018;

class NuvMfxPropertyPage : public kop::KopDialog, public ComObject<IPropertyPage> {
public:
    // [window thread] A page with a reference count of 1, no site, no effect
    // and no window; the thread that makes it is the page's window thread.
    explicit NuvMfxPropertyPage(int backgroundBitmapId = kDefaultBackgroundBitmapId,
                                int powerButtonId = kDefaultPowerButtonId);

    // Pages live in zero-filled memory and only come from the nothrow form
    // of new, so that a failed allocation is an answer, not an exception.
    static void* operator new(std::size_t size, const std::nothrow_t&) noexcept;
    static void operator delete(void* memory) noexcept;
    static void operator delete(void* memory, const std::nothrow_t&) noexcept;

    // IPropertyPage. Debug builds check each call's thread.
    // [window thread]
    HRESULT STDMETHODCALLTYPE SetPageSite(IPropertyPageSite* site) override;
    // [window thread]
    HRESULT STDMETHODCALLTYPE Activate(HWND parent, LPCRECT rect, BOOL modal) override;
    // [window thread]
    HRESULT STDMETHODCALLTYPE Deactivate() override;
    // [window thread]
    HRESULT STDMETHODCALLTYPE GetPageInfo(PROPPAGEINFO* info) override;
    // [window thread]
    HRESULT STDMETHODCALLTYPE SetObjects(ULONG count, IUnknown** objects) override;
    // [window thread]
    HRESULT STDMETHODCALLTYPE Show(UINT command) override;
    // [window thread]
    HRESULT STDMETHODCALLTYPE Move(LPCRECT rect) override;
    // [window thread]
    HRESULT STDMETHODCALLTYPE IsPageDirty() override;
    // [window thread]
    HRESULT STDMETHODCALLTYPE Apply() override;
    // [window thread]
    HRESULT STDMETHODCALLTYPE Help(LPCOLESTR helpDir) override;
    // [window thread]
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG* msg) override;

    // The page's COM face.
    IPropertyPage* Face() { return static_cast<IPropertyPage*>(this); }
    HWND ParentWindow() const { return parent_; }
    bool PageDirty() const { return pageDirty_ != 0; }

protected:
    ~NuvMfxPropertyPage() override;

    // Hooks of a deliverable's page.
    // [window thread] Set-up after the dialog base's own: configure, measure
    // and register the page's controls (AddControl), set the colours and the
    // title.
    virtual void InitPage() {}
    // [window thread] Re-read every displayed value from the linked effect,
    // each under the settings lock on its own, set the controls and
    // invalidate them.
    virtual void ReadDisplayedValues() {}
    // [window thread] In a normal refresh with the refresh flag clear:
    // whether the page has a reason of its own to re-read.
    virtual bool HasOwnReasonToRefresh() { return false; }
    // [window thread] The page's own messages (control notifications),
    // offered before the base's. True when handled, with `result`.
    virtual bool OnPageMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // [window thread] Runs at the start of Deactivate, while the window still
    // exists.
    virtual void BeforeDeactivate() {}

    // [window thread] An edit of a persisted setting reached the effect: sets
    // the effect's dirty flag and the page's, and tells the page site.
    void MarkDirty();

    IPropertyPageSite* Site() const { return site_.Get(); }

private:
    // [window thread] The last Release: drops the effect, then the window a
    // host left open, then the page itself.
    void FinalRelease() override;
    BOOL OnInitDialog() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void Refresh(bool forced) override;
    void OnSize();
    void ShowEnabledFlag();

    win32::ThreadAffinity windowThread_;
    ComRef<IPropertyPageSite> site_;
    HWND parent_ = nullptr;
    std::int32_t pageDirty_ = 0;
};

// [window thread] A new page of class `Page` with a reference count of 1, or
// null when memory ran out. A deliverable names its maker in its server
// identity (framework/server/server_identity.h).
template <class Page = NuvMfxPropertyPage>
NuvMfxPropertyPage* CreatePage() {
    return new (std::nothrow) Page();
}

}  // namespace nuv

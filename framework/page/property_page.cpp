#include "framework/page/property_page.h"

#include <cstdlib>
#include <optional>

#include "platform/sync.h"
#include "platform/win32/dialog_template.h"
#include "platform/win32/module.h"
#include "toolkit/kop_paint_styles.h"

namespace nuv {

namespace {

// The size GetPageInfo reports when neither the effect nor the template
// gives one.
constexpr LONG kFallbackPageSize = 100;

// The effect shell behind an object the host hands over, with a reference
// added; null when the object is not one of our effects, which a plain cast of
// the pointer would have taken for one.
NuvMfxShell* EffectOf(IUnknown* object) {
    void* identity = nullptr;
    if (FAILED(object->QueryInterface(IID_NuvMfxShell, &identity)) || identity == nullptr) return nullptr;
    return static_cast<NuvMfxShell*>(static_cast<IMfxEventFilter*>(identity));
}

}  // namespace

NuvMfxPropertyPage::NuvMfxPropertyPage(int backgroundBitmapId, int powerButtonId)
    : KopDialog(backgroundBitmapId, powerButtonId) {}

NuvMfxPropertyPage::~NuvMfxPropertyPage() = default;

void* NuvMfxPropertyPage::operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return std::calloc(1, size);
}
void NuvMfxPropertyPage::operator delete(void* memory) noexcept { std::free(memory); }
void NuvMfxPropertyPage::operator delete(void* memory, const std::nothrow_t&) noexcept { std::free(memory); }

void NuvMfxPropertyPage::FinalRelease() {
    windowThread_.Check();
    ModuleStateGuard guard;
    UnlinkEffect();
    Destroy();
    delete this;
}

HRESULT STDMETHODCALLTYPE NuvMfxPropertyPage::SetPageSite(IPropertyPageSite* site) {
    windowThread_.Check();
    if (site != nullptr && !site_) {
        site_.Share(site);
        return S_OK;
    }
    if (site == nullptr && site_) {
        site_.Reset();
        return S_OK;
    }
    return E_UNEXPECTED;
}

HRESULT STDMETHODCALLTYPE NuvMfxPropertyPage::Activate(HWND parent, LPCRECT rect, BOOL) {
    windowThread_.Check();
    ModuleStateGuard guard;
    if (rect == nullptr) return E_POINTER;
    if (Handle() != nullptr) return E_UNEXPECTED;
    // Created hidden, so that the page is painted once, at the host's size,
    // when Show makes it visible.
    if (!Create(ModuleStateGuard::ResourceInstance(), kop::kPageTemplateId, parent, true)) return E_OUTOFMEMORY;
    SetWindowLongPtrW(Handle(), GWL_EXSTYLE, GetWindowLongPtrW(Handle(), GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
    parent_ = parent;
    Move(rect);
    Show(SW_SHOWNORMAL);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE NuvMfxPropertyPage::Deactivate() {
    windowThread_.Check();
    ModuleStateGuard guard;
    if (Handle() == nullptr) return E_UNEXPECTED;
    BeforeDeactivate();
    Destroy();  // the dialog's WM_DESTROY stops the refresh timer
    return S_OK;
}

HRESULT STDMETHODCALLTYPE NuvMfxPropertyPage::GetPageInfo(PROPPAGEINFO* info) {
    windowThread_.Check();
    if (info == nullptr) return E_POINTER;
    info->cb = sizeof(PROPPAGEINFO);
    info->pszTitle = nullptr;
    info->size = SIZE{kFallbackPageSize, kFallbackPageSize};
    info->pszDocString = nullptr;
    info->pszHelpFile = nullptr;
    info->dwHelpContext = 0;
    if (NuvMfxShell* effect = Effect()) {
        const std::int32_t width = ReadLocked(effect->settingsLock, effect->pageWidth);
        const std::int32_t height = ReadLocked(effect->settingsLock, effect->pageHeight);
        if (width > 0 && height > 0) {
            info->size = SIZE{width, height};
            return S_OK;
        }
    }
    ModuleStateGuard guard;
    if (const std::optional<SIZE> measured =
            win32::MeasureDialogTemplate(ModuleStateGuard::ResourceInstance(), kop::kPageTemplateId)) {
        info->size = *measured;
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE NuvMfxPropertyPage::SetObjects(ULONG count, IUnknown** objects) {
    windowThread_.Check();
    if (count == 1) {
        if (objects == nullptr || objects[0] == nullptr) return E_POINTER;
        NuvMfxShell* effect = EffectOf(objects[0]);
        if (effect == nullptr) return E_NOINTERFACE;  // the current link stays
        LinkEffect(effect);
        effect->Release();
        return S_OK;
    }
    if (count == 0) {
        if (Effect() == nullptr) return E_UNEXPECTED;
        UnlinkEffect();
        return S_OK;
    }
    return E_UNEXPECTED;
}

HRESULT STDMETHODCALLTYPE NuvMfxPropertyPage::Show(UINT command) {
    windowThread_.Check();
    ModuleStateGuard guard;
    if (Handle() == nullptr) return E_UNEXPECTED;
    if (command != SW_HIDE && command != SW_SHOWNORMAL && command != SW_SHOW) return E_INVALIDARG;
    ShowWindow(Handle(), static_cast<int>(command));
    return S_OK;
}

HRESULT STDMETHODCALLTYPE NuvMfxPropertyPage::Move(LPCRECT rect) {
    windowThread_.Check();
    ModuleStateGuard guard;
    if (rect == nullptr) return E_POINTER;
    SetWindowPos(Handle(), nullptr, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top,
                 SWP_NOZORDER);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE NuvMfxPropertyPage::IsPageDirty() {
    windowThread_.Check();
    return pageDirty_ != 0 ? S_OK : S_FALSE;
}

HRESULT STDMETHODCALLTYPE NuvMfxPropertyPage::Apply() {
    windowThread_.Check();
    pageDirty_ = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE NuvMfxPropertyPage::Help(LPCOLESTR) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE NuvMfxPropertyPage::TranslateAccelerator(MSG*) { return E_NOTIMPL; }

bool NuvMfxPropertyPage::OnPageMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

void NuvMfxPropertyPage::MarkDirty() {
    if (NuvMfxShell* effect = Effect()) effect->dirtyFlag = 1;
    pageDirty_ = 1;
    if (site_) site_->OnStatusChange(PROPPAGESTATUS_DIRTY);
}

void NuvMfxPropertyPage::AddTitle(int id, const kop::KopFont& font, const wchar_t* caption, kop::ColourRef colour) {
    title.font = font;
    title.paintStyle = kop::kPaintLightMetalText;
    title.textColour = colour;
    title.captionIsTooltip = true;
    AddControl(id, title);
    title.SetCaption(caption);
}

// Inside Activate: the base's set-up, the page's own, then
// the first refresh and the refresh timer when an effect is linked.
BOOL NuvMfxPropertyPage::OnInitDialog() {
    KopDialog::OnInitDialog();
    InitPage();
    if (Effect() != nullptr) {
        Refresh(true);
        refreshTimer.Start(Handle(), kRefreshTimerId, kRefreshPeriodMs);
    }
    setUp = true;
    return TRUE;
}

bool NuvMfxPropertyPage::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (OnPageMessage(message, wParam, lParam, result)) return true;
    if (message == WM_SIZE) {
        OnSize();
        return false;
    }
    return KopDialog::OnMessage(message, wParam, lParam, result);
}

// A size given from outside (the host's Move, a frame's layout, the DPI
// change): taken when it lies within the limits and changes the user scale;
// the base's own grip drag sizes the window itself and is left alone here.
void NuvMfxPropertyPage::OnSize() {
    if (Sizing()) return;
    RECT outer{};
    GetWindowRect(Handle(), &outer);
    if (const std::optional<kop::SizeStep> step = Geometry().StepTo(outer.right - outer.left)) {
        ApplySize(*step, false);
    }
}

void NuvMfxPropertyPage::Refresh(bool forced) {
    NuvMfxShell* effect = Effect();
    if (effect == nullptr) return;
    // The flag is taken and cleared in one step, so that a set from a host
    // thread between the test and the clear is never lost.
    if (!forced && effect->refreshFlag.Exchange(0) == 0 && !HasOwnReasonToRefresh()) return;
    ShowEnabledFlag();
    ReadDisplayedValues();
}

void NuvMfxPropertyPage::ShowEnabledFlag() {
    NuvMfxShell* effect = Effect();
    const std::int32_t enabled = ReadLocked(effect->settingsLock, effect->enabled);
    powerButton.SetChecked(enabled != 0);
}

}  // namespace nuv

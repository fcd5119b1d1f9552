#include "tests/page/support/host_frame.h"

namespace nuv::page_test {

namespace {

constexpr wchar_t kFrameClass[] = L"NuvPageTestFrame";
constexpr int kFrameWidth = 1240;
constexpr int kFrameHeight = 720;

ATOM RegisterFrameClass() {
    WNDCLASSW frameClass{};
    frameClass.lpfnWndProc = DefWindowProcW;
    frameClass.hInstance = GetModuleHandleW(nullptr);
    frameClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    frameClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    frameClass.lpszClassName = kFrameClass;
    return RegisterClassW(&frameClass);
}

HRESULT FirstFailure(HRESULT sofar, HRESULT next) { return FAILED(sofar) ? sofar : next; }

}  // namespace

HostFrame::HostFrame() : site_(new RecordingPageSite) {
    static const ATOM registered = RegisterFrameClass();
    (void)registered;
    // Topmost: other test programs may show windows on the same display, and
    // pictures of the page are read from the screen.
    window_.Reset(CreateWindowExW(WS_EX_TOPMOST, kFrameClass, L"Page test frame",
                                  WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, kFrameWidth, kFrameHeight, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr));
}

HRESULT HostFrame::Open(IPropertyPage* page, IUnknown* effect, const SIZE* size) {
    HRESULT result = page->SetPageSite(site_.Get());
    if (effect != nullptr) result = FirstFailure(result, page->SetObjects(1, &effect));
    PROPPAGEINFO info{};
    result = FirstFailure(result, page->GetPageInfo(&info));
    offered_ = info.size;
    const SIZE chosen = size != nullptr ? *size : info.size;
    const RECT place{0, 0, chosen.cx, chosen.cy};
    return FirstFailure(result, page->Activate(window_.Get(), &place, FALSE));
}

HRESULT HostFrame::Close(IPropertyPage* page) {
    HRESULT result = page->Show(SW_HIDE);
    result = FirstFailure(result, page->Deactivate());
    result = FirstFailure(result, page->SetObjects(0, nullptr));
    return FirstFailure(result, page->SetPageSite(nullptr));
}

}  // namespace nuv::page_test

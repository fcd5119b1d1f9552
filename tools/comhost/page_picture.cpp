#include "tools/comhost/page_picture.h"

#include "platform/win32/gdi_owners.h"
#include "platform/win32/gdiplus_owners.h"
#include "platform/win32/user_owners.h"

namespace nuv::comhost {

namespace {

constexpr wchar_t kFrameClass[] = L"NuvComhostPageFrame";
constexpr DWORD kShowMs = 300;  // a few refresh periods of the page
// GDI+'s PNG encoder.
constexpr CLSID kPngEncoder = {0x557CF406, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};

// The page class the effect names; a null class when it names none.
CLSID PageClassOf(IUnknown* effect) {
    CLSID page{};
    ComRef<ISpecifyPropertyPages> pages;
    if (FAILED(effect->QueryInterface(IID_ISpecifyPropertyPages, reinterpret_cast<void**>(pages.Put())))) return page;
    CAUUID list{};
    if (SUCCEEDED(pages->GetPages(&list)) && list.cElems >= 1) page = list.pElems[0];
    CoTaskMemFree(list.pElems);
    return page;
}

// A visible frame at the top left of the screen, above other windows.
HWND MakeFrame(SIZE size) {
    static const ATOM registered = [] {
        WNDCLASSW frameClass{};
        frameClass.lpfnWndProc = DefWindowProcW;
        frameClass.hInstance = GetModuleHandleW(nullptr);
        frameClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
        frameClass.lpszClassName = kFrameClass;
        return RegisterClassW(&frameClass);
    }();
    if (registered == 0) return nullptr;
    return CreateWindowExW(WS_EX_TOPMOST, kFrameClass, L"Page", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                           size.cx, size.cy, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

// Runs this thread's messages for `ms` milliseconds.
void RunMessages(DWORD ms) {
    const DWORD start = GetTickCount();
    for (DWORD spent = 0; spent < ms; spent = GetTickCount() - start) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - spent, QS_ALLINPUT);
    }
}

// The client area of `window` as the screen shows it, children included.
bool SaveClientArea(HWND window, const std::wstring& path) {
    RECT client{};
    if (!GetClientRect(window, &client) || client.right <= 0 || client.bottom <= 0) return false;
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    win32::WindowDc screen(window);
    win32::MemoryDc copy(screen.Get());
    win32::GdiBitmap bitmap(CreateCompatibleBitmap(screen.Get(), client.right, client.bottom));
    if (!copy || !bitmap) return false;
    {
        win32::ObjectSelection selected(copy.Get(), bitmap.Get());
        if (!BitBlt(copy.Get(), 0, 0, client.right, client.bottom, screen.Get(), 0, 0, SRCCOPY)) return false;
    }
    win32::GdiplusSession gdiplus;
    win32::GpImageOwner image;
    Gdiplus::GpBitmap* made = nullptr;
    if (!gdiplus.Running() || win32::gp::GdipCreateBitmapFromHBITMAP(bitmap.Get(), nullptr, &made) != Gdiplus::Ok) {
        return false;
    }
    *image.Put() = made;
    return win32::gp::GdipSaveImageToFile(image.Get(), path.c_str(), &kPngEncoder, nullptr) == Gdiplus::Ok;
}

}  // namespace

std::string SavePagePicture(const Library& library, IUnknown* effect, const std::wstring& pngPath) {
    const ComRef<IClassFactory> factory = library.ClassFactory(PageClassOf(effect));
    if (!factory) return "the DLL makes no page for the effect";
    ComRef<IPropertyPage> page;
    if (FAILED(factory->CreateInstance(nullptr, IID_IPropertyPage, reinterpret_cast<void**>(page.Put())))) {
        return "the page factory made no page";
    }
    IUnknown* objects[] = {effect};
    PROPPAGEINFO info{};
    if (FAILED(page->SetObjects(1, objects)) || FAILED(page->GetPageInfo(&info))) return "the page refused the effect";
    const win32::WindowOwner frame(MakeFrame(info.size));
    const RECT place{0, 0, info.size.cx, info.size.cy};
    if (!frame || FAILED(page->Activate(frame.Get(), &place, FALSE))) return "the page did not open";
    RunMessages(kShowMs);
    const bool saved = SaveClientArea(GetWindow(frame.Get(), GW_CHILD), pngPath);
    page->Deactivate();
    page->SetObjects(0, nullptr);
    return saved ? std::string() : "the picture could not be written";
}

}  // namespace nuv::comhost

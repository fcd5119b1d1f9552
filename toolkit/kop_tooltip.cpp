#include "toolkit/kop_tooltip.h"

#include <commctrl.h>

#include "platform/win32/module.h"

namespace nuv::kop {

namespace {

// The tool record of `tool`, whose container is its parent. The size is that
// of the second version, which every version of the common controls takes
// (the newest size is refused where the process runs the older library).
TTTOOLINFOW ToolInfo(HWND tool, const std::wstring* text) {
    TTTOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = GetParent(tool);
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    info.lpszText = text != nullptr ? const_cast<wchar_t*>(text->c_str()) : nullptr;
    return info;
}

void RegisterTooltipClass() {
    static const bool registered = [] {
        INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
        return InitCommonControlsEx(&classes) != FALSE;
    }();
    (void)registered;
}

}  // namespace

bool KopTooltip::SetText(HWND tool, const std::wstring& text) {
    if (tool == nullptr) return false;
    if (window_ && tool == tool_ && IsWindow(tool)) {
        TTTOOLINFOW info = ToolInfo(tool, &text);
        SendMessageW(window_.Get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
        return true;
    }
    Destroy();
    return Create(tool, text);
}

bool KopTooltip::Create(HWND tool, const std::wstring& text) {
    RegisterTooltipClass();
    window_.Reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, tool, nullptr,
                                  NuvMfxDLL::Get().Instance(), nullptr));
    if (!window_) return false;
    SendMessageW(window_.Get(), TTM_SETDELAYTIME, TTDT_AUTOMATIC, MAKELPARAM(kAutomaticDelayMs, 0));
    TTTOOLINFOW info = ToolInfo(tool, &text);
    if (!SendMessageW(window_.Get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info))) {
        window_.Reset();
        return false;
    }
    tool_ = tool;
    return true;
}

std::wstring KopTooltip::Text() const {
    if (!window_) return std::wstring();
    wchar_t buffer[1024] = {};
    TTTOOLINFOW info = ToolInfo(tool_, nullptr);
    info.lpszText = buffer;
    SendMessageW(window_.Get(), TTM_GETTEXTW, 1024, reinterpret_cast<LPARAM>(&info));
    return std::wstring(buffer);
}

void KopTooltip::Destroy() {
    window_.Reset();
    tool_ = nullptr;
}

}  // namespace nuv::kop

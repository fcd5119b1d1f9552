// The tooltip of one control: a tooltip window owned by the control, with the
// control itself as its only tool (TTF_IDISHWND | TTF_SUBCLASS) and an
// automatic delay of 100 ms. The window is made and the tool added once; a
// later text only replaces the tip's text, however often a page sets it.
#pragma once

#include <string>

#include "platform/win32/user_owners.h"

namespace nuv::kop {

class KopTooltip {
public:
    static constexpr UINT kAutomaticDelayMs = 100;

    // [window thread] Makes `text` the tip of control `tool`, creating the
    // tooltip for it on first use (or anew when the control is another
    // window than before). False when the tooltip could not be made.
    bool SetText(HWND tool, const std::wstring& text);
    // [window thread] The tip's text as the tooltip holds it; empty when
    // there is no tooltip.
    std::wstring Text() const;
    // [window thread] Destroys the tooltip window (when its control ends).
    void Destroy();
    HWND Handle() const { return window_.Get(); }

private:
    bool Create(HWND tool, const std::wstring& text);

    win32::WindowOwner window_;
    HWND tool_ = nullptr;
};

}  // namespace nuv::kop

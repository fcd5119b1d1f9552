// Toolkit controls that show one parameter of the linked effect and write it
// back, both through the parameter's description (its range, default, get and
// set): a toggle button for a switch, and a slider for a whole number with the
// number shown beside it. The pages wire their controls to these, so that
// ranges, defaults and read-backs live in the descriptions alone.
//
// Everything here runs on the window thread, and reaches the effect only
// through the description's get and set (one value under the settings lock).
#pragma once

#include <cstdint>
#include <string>

#include "framework/parameter_description.h"
#include "toolkit/kop_dialog.h"
#include "toolkit/kop_gdiplus_button.h"
#include "toolkit/kop_gdiplus_slider.h"
#include "toolkit/kop_messages.h"
#include "toolkit/kop_transparent_text.h"

namespace nuv {

// [window thread] The linked effect when it is one of the class `engine`
// names, the only one whose fields the page may read; null otherwise
// (nothing linked, or another deliverable's effect).
NuvMfxShell* LinkedEffect(const kop::KopDialog& page, const EffectIdentity& engine);

// [window thread] The effect a handler may write into: the linked one as
// above, once the page has finished its set-up; null otherwise (also while
// the window was set up before SetObjects, or after SetObjects(0)).
NuvMfxShell* EditableEffect(const kop::KopDialog& page, const EffectIdentity& engine);

// [window thread] LinkedEffect as the deliverable's engine class `Engine`,
// whose identity is `engine`.
template <class Engine>
Engine* LinkedEngine(const kop::KopDialog& page, const EffectIdentity& engine) {
    return static_cast<Engine*>(LinkedEffect(page, engine));
}

// [window thread] EditableEffect as the deliverable's engine class `Engine`.
template <class Engine>
Engine* EditableEngine(const kop::KopDialog& page, const EffectIdentity& engine) {
    return static_cast<Engine*>(EditableEffect(page, engine));
}

// [any thread] A whole number as the pages show it ("%d").
std::wstring DecimalText(std::int32_t value);

// [window thread] The slider's range and its right-click default from
// `parameter` (no repaint).
void SetSliderRange(kop::KopGdiPlusSlider& slider, const ParameterDescription& parameter);

// A switch parameter on a toggle button.
struct SwitchControl {
    int id;
    kop::KopGdiPlusButton& button;
    const ParameterDescription& parameter;

    // [window thread] The button's state from the effect; repaints.
    void Show(NuvMfxShell& effect) const;
    // [window thread] The button's state into the effect.
    void Take(NuvMfxShell& effect) const;
};

// A whole-number parameter on a slider, shown as "%d" in a text beside it.
struct AmountControl {
    int id;  // the slider's
    kop::KopGdiPlusSlider& slider;
    kop::KopTransparentText& number;
    const ParameterDescription& parameter;

    // [window thread] Slider and number from the effect.
    void Show(NuvMfxShell& effect) const;
    // [window thread] The slider's value, truncated, into the effect; the
    // number shows the value read back.
    void Take(NuvMfxShell& effect) const;
};

// [window thread] A press or double click command (WM_COMMAND) of one of
// `switches` takes that switch's state into `effect` (when there is one).
// True when the command came from one of them.
template <class Switches>
bool TakeSwitchCommand(const Switches& switches, NuvMfxShell* effect, WPARAM wParam, LPARAM lParam) {
    if (lParam == 0 || !kop::IsStaticClick(wParam, true)) return false;
    for (const SwitchControl& control : switches) {
        if (control.id != static_cast<int>(LOWORD(wParam))) continue;
        if (effect != nullptr) control.Take(*effect);
        return true;
    }
    return false;
}

// [window thread] A slider message (WM_SLIDER_CHANGING or WM_SLIDER_CHANGED)
// from one of `amounts` takes that slider's value into `effect`.
template <class Amounts>
void TakeAmountMessage(const Amounts& amounts, NuvMfxShell& effect, WPARAM wParam) {
    for (const AmountControl& control : amounts) {
        if (control.id == static_cast<int>(wParam)) control.Take(effect);
    }
}

}  // namespace nuv

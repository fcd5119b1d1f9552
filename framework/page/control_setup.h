// The looks the pages give their common controls during set-up, each followed
// by the dialog's measuring and registering (AddControl): the title, the
// power button, the logo badge, captions, check boxes and horizontal sliders.
// A caption is set once its control is attached, so that it also becomes the
// control's tooltip, as it does each time the page sets it again.
#pragma once

#include <cstdint>
#include <string>

#include "framework/parameter_description.h"
#include "toolkit/kop_dialog.h"
#include "toolkit/kop_gdiplus_slider.h"
#include "toolkit/kop_gdiplus_text_button.h"
#include "toolkit/kop_transparent_text.h"

namespace nuv {

// The power knob's symbol when on.
inline constexpr kop::Argb kPowerOnColour = 0xFF64FF64;

// [window thread, during set-up] The dialog's title: "Arial" at `size`,
// bold and italic, in the light metal look, text colour from page colour 2.
void AddTitle(kop::KopDialog& page, int id, const std::wstring& caption, float size);
// [window thread, during set-up] The dialog's power button (a toggle drawn as
// the power knob, as the dialog base makes it), its symbol green when on.
void AddPowerButton(kop::KopDialog& page, int id);
// [window thread, during set-up] The dialog's logo badge (drawn as the dialog
// base makes it), a toggle.
void AddLogoBadge(kop::KopDialog& page, int id);

// [window thread, during set-up] A transparent text in `font`, aligned
// vertically as `alignment` says, in `colour`, showing `caption`, which is
// also its tooltip from now on.
void AddCaption(kop::KopDialog& page, int id, kop::KopTransparentText& text, const kop::KopFont& font,
                std::int32_t alignment, kop::ColourRef colour, const std::wstring& caption);

// The colours and font of a text button.
struct TextButtonLook {
    kop::Argb on = 0xFFFFFFFF;
    kop::Argb off = 0xFF000000;
    kop::Argb third = 0xFF000000;
    kop::KopFont font;
};

// [window thread, during set-up] A toggle drawn as a text button with `look`,
// showing `caption`. Every text button of the pages is a toggle: a radio
// group shows its choice by the pressed state, which a momentary button would
// drop on release.
void AddTextToggle(kop::KopDialog& page, int id, kop::KopGdiPlusTextButton& button, const TextButtonLook& look,
                   const std::wstring& caption);

// [window thread, during set-up] A toggle button drawn as a check box.
void AddCheckBox(kop::KopDialog& page, int id, kop::KopGdiPlusButton& button);

// [window thread, during set-up] A slider in the horizontal look over the
// range of `parameter` (its default restored by a right click), thumb and
// bar in page colours 3, 4 and 5.
void AddHorizontalSlider(kop::KopDialog& page, int id, kop::KopGdiPlusSlider& slider,
                         const ParameterDescription& parameter, float pageStep, bool reverseWheel);

}  // namespace nuv

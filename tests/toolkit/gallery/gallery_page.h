// The gallery: a page for the toolkit tests only, with one of every control
// in every paint style on its own template, each configured the way the
// pages configure theirs. It records every notification its controls send.
#pragma once

#include <array>
#include <vector>

#include "framework/page/property_page.h"
#include "tests/toolkit/gallery/gallery_ids.h"
#include "toolkit/kop_gdiplus_range_slider.h"
#include "toolkit/kop_gdiplus_slider.h"
#include "toolkit/kop_gdiplus_text_button.h"
#include "toolkit/kop_text_edit.h"
#include "toolkit/kop_transparent_text.h"

namespace nuv::toolkit_test {

// One message that reached the gallery from a control.
struct Notice {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class GalleryPage final : public NuvMfxPropertyPage {
public:
    GalleryPage() : NuvMfxPropertyPage(GALLERY_BACKGROUND_ID, GALLERY_POWER_ID) {}

    kop::KopTransparentPathText darkTitle;
    kop::KopTransparentText textLeft, textCentre, textRight, textBoxed;
    kop::KopGdiPlusButton checkOff, checkOn, lampBar, roundLamp, leftArrow, rightArrow;
    std::array<kop::KopGdiPlusButton, 8> icons;  // icon 0 to 7, checked from icon 4 on
    kop::KopGdiPlusTextButton textButtonOff, textButtonOn, textButtonDisabled;
    kop::KopGdiPlusSlider horizontalSlider, verticalSlider, disabledSlider;
    kop::KopGdiPlusRangeSlider range;
    kop::KopTextEdit field, realField;
    kop::KopStatic plainStatic;
    kop::KopEdit plainEdit;

    // Window thread. The toolkit notifications and static commands received.
    std::vector<Notice> notices;
    // The notices of one message number, in order.
    std::vector<Notice> Of(UINT message) const;

protected:
    void InitPage() override;
    bool OnPageMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    ~GalleryPage() override = default;
};

}  // namespace nuv::toolkit_test

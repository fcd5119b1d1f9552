#include "tests/toolkit/gallery/gallery_page.h"

#include "toolkit/kop_messages.h"
#include "toolkit/kop_paint_styles.h"

namespace nuv::toolkit_test {

namespace {

const kop::KopFont kLabelFont{L"Arial", 12.0f, true, false};
const kop::KopFont kTitleFont{L"Arial", 26.0f, true, true};

bool IsToolkitNotice(UINT message) {
    return (message >= kop::WM_SLIDER_CHANGING && message <= kop::WM_TEXT_KEY) ||
           (message >= kop::WM_BUTTON_LEFT_PRESSED && message <= kop::WM_RANGE_CHANGED);
}

}  // namespace

std::vector<Notice> GalleryPage::Of(UINT message) const {
    std::vector<Notice> found;
    for (const Notice& notice : notices) {
        if (notice.message == message) found.push_back(notice);
    }
    return found;
}

// Window thread, inside Activate: every control configured as a page would.
void GalleryPage::InitPage() {
    colours = {0xFF000000, 0xFFFFFFFF, 0xFFFFFFFF, 0xFF646464, 0x64FFC8C8};
    title.font = kTitleFont;
    title.SetCaption(L"Gallery");
    AddControl(GALLERY_TITLE_ID, title);
    darkTitle.font = kTitleFont;
    darkTitle.paintStyle = kop::kPaintWhiteToBlackText;
    darkTitle.SetCaption(L"Toolkit");
    AddControl(GALLERY_DARK_TITLE_ID, darkTitle);
    AddControl(GALLERY_BADGE_ID, logoBadge);
    powerButton.onColour = 0xFF64FF64;
    AddControl(GALLERY_POWER_ID, powerButton);

    const struct {
        int id;
        kop::KopTransparentText* text;
        const wchar_t* caption;
    } texts[] = {{GALLERY_TEXT_LEFT_ID, &textLeft, L"Left"},
                 {GALLERY_TEXT_CENTRE_ID, &textCentre, L"Centre"},
                 {GALLERY_TEXT_RIGHT_ID, &textRight, L"Right"},
                 {GALLERY_TEXT_BOXED_ID, &textBoxed, L"Boxed"}};
    for (const auto& entry : texts) {
        entry.text->font = kLabelFont;
        entry.text->captionIsTooltip = true;
        AddControl(entry.id, *entry.text);
        entry.text->SetCaption(entry.caption);
    }
    textLeft.verticalAlignment = kop::kAlignBottom;
    textBoxed.boxed = true;

    for (kop::KopGdiPlusButton* box : {&checkOff, &checkOn}) {
        box->paintStyle = kop::kPaintCheckBox;
        box->momentary = false;
    }
    AddControl(GALLERY_CHECK_OFF_ID, checkOff);
    AddControl(GALLERY_CHECK_ON_ID, checkOn);
    checkOn.SetChecked(true);
    for (std::size_t i = 0; i < icons.size(); ++i) {
        icons[i].paintStyle = kop::kPaintWaveformIcon;
        icons[i].icon = static_cast<std::int32_t>(i);
        icons[i].momentary = false;
        AddControl(GALLERY_ICON_FIRST_ID + static_cast<int>(i), icons[i]);
        icons[i].SetChecked(i >= 4);
    }
    lampBar.paintStyle = kop::kPaintLampBar;
    AddControl(GALLERY_LAMP_BAR_ID, lampBar);
    lampBar.SetChecked(true);
    roundLamp.paintStyle = kop::kPaintRoundLamp;
    roundLamp.onColour = 0xFFDC0A0A;
    AddControl(GALLERY_ROUND_LAMP_ID, roundLamp);
    roundLamp.SetChecked(true);
    leftArrow.paintStyle = kop::kPaintTriangleLeft;
    rightArrow.paintStyle = kop::kPaintTriangleRight;
    for (kop::KopGdiPlusButton* arrow : {&leftArrow, &rightArrow}) {
        arrow->checkedColour = 0xFFFFFFFF;
        arrow->uncheckedColour = 0xFFC8C8C8;
    }
    AddControl(GALLERY_LEFT_ARROW_ID, leftArrow);
    AddControl(GALLERY_RIGHT_ARROW_ID, rightArrow);

    const struct {
        int id;
        kop::KopGdiPlusTextButton* button;
        const wchar_t* caption;
    } buttons[] = {{GALLERY_TEXT_BUTTON_OFF_ID, &textButtonOff, L"Off"},
                   {GALLERY_TEXT_BUTTON_ON_ID, &textButtonOn, L"On"},
                   {GALLERY_TEXT_BUTTON_DISABLED_ID, &textButtonDisabled, L"Disabled"}};
    for (const auto& entry : buttons) {
        entry.button->paintStyle = kop::kPaintTextButton;
        entry.button->momentary = false;
        entry.button->offColour = 0xFF646464;
        entry.button->font = kLabelFont;
        AddControl(entry.id, *entry.button);
        entry.button->SetCaption(entry.caption);
    }
    textButtonOn.SetChecked(true);
    textButtonDisabled.SetChecked(true);
    EnableWindow(textButtonDisabled.Handle(), FALSE);

    for (kop::KopGdiPlusSlider* slider : {&horizontalSlider, &verticalSlider, &disabledSlider}) {
        slider->thumbColourTop = colours[2];
        slider->thumbColourBottom = colours[3];
        slider->barColour = colours[4];
    }
    horizontalSlider.paintStyle = kop::kPaintHorizontalSlider;
    horizontalSlider.SetRange(1.0f, 40.0f);
    horizontalSlider.pageStep = 5.0f;
    horizontalSlider.reverseWheel = true;
    horizontalSlider.SetValue(20.0f);
    verticalSlider.paintStyle = kop::kPaintVerticalSlider;
    verticalSlider.vertical = true;
    verticalSlider.SetRange(-64.0f, 63.0f);
    verticalSlider.SetValue(10.0f);
    disabledSlider.paintStyle = kop::kPaintVerticalSlider;
    disabledSlider.vertical = true;
    disabledSlider.barFromFarEnd = true;
    disabledSlider.SetRange(1.0f, 32.0f);
    disabledSlider.SetValue(16.0f);
    disabledSlider.SetEnabled(false);
    AddControl(GALLERY_HSLIDER_ID, horizontalSlider);
    AddControl(GALLERY_VSLIDER_ID, verticalSlider);
    AddControl(GALLERY_VSLIDER_OFF_ID, disabledSlider);
    AddControl(GALLERY_RANGE_ID, range);
    range.SetSpan(0.25f, 0.75f);

    field.wheel = true;
    AddControl(GALLERY_FIELD_ID, field);
    field.SetFont(L"Arial", 8.0f, true);
    SetWindowTextW(field.Handle(), L"64");
    realField.mode = kop::kRealEntry;
    realField.minimum = 0;
    realField.maximum = 10;
    AddControl(GALLERY_REAL_FIELD_ID, realField);
    SetWindowTextW(realField.Handle(), L"2.5");
    plainStatic.transparent = true;
    AddControl(GALLERY_STATIC_ID, plainStatic);
    AddControl(GALLERY_EDIT_ID, plainEdit);
}

// Window thread. Records what the controls send; the static commands go on
// to the base (the power button's among them).
bool GalleryPage::OnPageMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_COMMAND && lParam != 0) {
        notices.push_back(Notice{message, wParam, lParam});
        return false;
    }
    if (!IsToolkitNotice(message)) return false;
    notices.push_back(Notice{message, wParam, lParam});
    result = 0;
    return true;
}

}  // namespace nuv::toolkit_test

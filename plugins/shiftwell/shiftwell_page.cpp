#include "plugins/shiftwell/shiftwell_page.h"

#include <algorithm>

#include "framework/key_name.h"
#include "framework/page/control_setup.h"
#include "framework/page/parameter_controls.h"
#include "plugins/shiftwell/key_position.h"
#include "plugins/shiftwell/shiftwell_parameters.h"
#include "toolkit/kop_messages.h"
#include "toolkit/kop_paint_styles.h"

namespace nuv::shiftwell {

namespace {

// The page's colour scheme: value text, text, thumb top, thumb bottom, and
// the accent of the bar, the chosen group and the two names.
constexpr std::array<kop::Argb, 5> kColours = {0xFFFFFFF0, 0xFFFFFFFF, 0xFFFFFFFF, 0xFF646464, 0xFF78C8FF};
constexpr std::size_t kAccentColour = 4;
constexpr kop::Argb kGroupOffColour = 0xFF646464;
constexpr kop::Argb kGroupThirdColour = 0xFFFFFFFF;
constexpr kop::Argb kArrowPressedColour = 0xFFFFFFFF;
constexpr kop::Argb kArrowColour = 0xFFC8C8C8;
constexpr kop::ColourRef kWhite = 0x00FFFFFF;
constexpr float kTitleSize = 30.0f;
constexpr float kShiftPageStep = 12.0f;  // an octave

const kop::KopFont kGroupFont{L"Arial", 12.0f, true, false};
const kop::KopFont kShiftFont{L"Arial", 13.0f, true, false};
const kop::KopFont kNameFont{L"Arial", 14.0f, true, false};
const kop::KopFont kLimitFont{L"Arial", 12.0f, true, false};

const ParameterDescription& Parameter(ParameterIndex index) { return Parameters()[index]; }

// A stored group outside the table is no group, on the page as in the engine.
std::int32_t ShownGroup(std::int32_t group) { return IsValidGroup(group) ? group : kNoGroup; }

std::int32_t GroupOf(NuvMfx& effect) { return ShownGroup(ReadLocked(effect.settingsLock, effect.group)); }

std::int32_t LearnModeOf(NuvMfx& effect) { return ReadLocked(effect.settingsLock, effect.learnMode); }

}  // namespace

ShiftwellPage::ShiftwellPage() : NuvMfxPropertyPage(kBackgroundBitmapId, kPowerId) {}

NuvMfx* ShiftwellPage::Editable() const { return EditableEngine<NuvMfx>(*this, kIdentity); }

// Inside Activate, in the order of the template.
void ShiftwellPage::InitPage() {
    colours = kColours;
    const kop::Argb accent = colours[kAccentColour];
    AddTitle(*this, kTitleId, L"Shiftwell", kTitleSize);
    AddPowerButton(*this, kPowerId);
    AddLogoBadge(*this, kBadgeId);
    // The buttons' captions are the group choices' labels, "NONE" first.
    const ParameterDescription& groups = Parameter(kGroupParameter);
    const TextButtonLook groupLook{accent, kGroupOffColour, kGroupThirdColour, kGroupFont};
    for (std::size_t i = 0; i < kGroupButtonCount; ++i) {
        AddTextToggle(*this, kNoGroupButtonId + static_cast<int>(i), groupButtons[i], groupLook,
                      groups.choices[i].label);
    }
    for (kop::KopGdiPlusButton* arrow : {&shiftDown, &shiftUp}) {
        arrow->checkedColour = kArrowPressedColour;
        arrow->uncheckedColour = kArrowColour;
    }
    shiftDown.paintStyle = kop::kPaintTriangleLeft;
    AddControl(kShiftDownId, shiftDown);
    AddHorizontalSlider(*this, kShiftSliderId, shiftSlider, Parameter(kShiftParameter), kShiftPageStep, true);
    shiftUp.paintStyle = kop::kPaintTriangleRight;
    AddControl(kShiftUpId, shiftUp);
    AddCaption(*this, kShiftTextId, shiftText, kShiftFont, kop::kAlignCentre, kWhite,
               DecimalText(Parameter(kShiftParameter).defaultValue));
    AddCaption(*this, kNameLabelId, nameLabel, kNameFont, kop::kAlignCentre, kop::ToColourRef(accent), L"SHIFTWELL");
    AddCaption(*this, kLowKeyTextId, lowKeyText, kLimitFont, kop::kAlignCentre, kWhite,
               KeyName(Parameter(kLowKeyParameter).defaultValue));
    AddControl(kKeyRangeId, keyRange);
    keyRange.SetRange(0.0f, 1.0f);
    AddCaption(*this, kHighKeyTextId, highKeyText, kLimitFont, kop::kAlignCentre, kWhite,
               KeyName(Parameter(kHighKeyParameter).defaultValue));
    AddCaption(*this, kRangeLabelId, rangeLabel, kNameFont, kop::kAlignCentre, kop::ToColourRef(accent), L"RANGE");
}

void ShiftwellPage::ReadDisplayedValues() {
    NuvMfx* effect = LinkedEngine<NuvMfx>(*this, kIdentity);
    if (effect == nullptr) return;
    ShowGroup(GroupOf(*effect));
    const std::int32_t shift = Parameter(kShiftParameter).get(*effect);  // the group's when grouped
    shiftSlider.SetValue(static_cast<float>(shift));
    shiftSlider.Repaint();
    shiftText.SetCaption(DecimalText(shift));
    ShowKeyRange(ReadLocked(effect->settingsLock, effect->lowKey), ReadLocked(effect->settingsLock, effect->highKey));
    ShowLearning(LearnModeOf(*effect));
}

// Another page of the group may have changed the group's shift: it becomes
// this effect's own too, and the page shows it.
bool ShiftwellPage::HasOwnReasonToRefresh() {
    NuvMfx* effect = LinkedEngine<NuvMfx>(*this, kIdentity);
    if (effect == nullptr) return false;
    const std::int32_t group = GroupOf(*effect);
    if (group == kNoGroup) return false;
    const std::int32_t groupShift = ReadLocked(effect->settingsLock, GroupShift(group));
    if (groupShift == ReadLocked(effect->settingsLock, effect->shift)) return false;
    WriteLocked(effect->settingsLock, effect->shift, groupShift);
    return true;
}

bool ShiftwellPage::OnPageMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    NuvMfx* effect = Editable();
    switch (message) {
    case WM_COMMAND:
        if (lParam == 0 || effect == nullptr || !OnCommand(*effect, LOWORD(wParam), wParam)) return false;
        break;
    case kop::WM_SLIDER_CHANGING:
    case kop::WM_SLIDER_CHANGED:
        if (effect == nullptr) break;
        if (static_cast<int>(wParam) == kShiftSliderId) TakeShiftSlider(*effect);
        MarkDirty();
        break;
    case kop::WM_RANGE_CHANGED:
        if (effect != nullptr && static_cast<int>(wParam) == kKeyRangeId) TakeKeyRange(*effect);
        break;
    case kop::WM_TEXT_WHEEL:
        if (effect != nullptr) StepLimit(*effect, static_cast<int>(wParam), static_cast<std::int32_t>(lParam));
        break;
    default:
        return false;
    }
    result = 0;
    return true;
}

// The clicks of the group buttons and limit texts, the presses (and double
// clicks) of the step buttons. False for every other command.
bool ShiftwellPage::OnCommand(NuvMfx& effect, int id, WPARAM wParam) {
    const bool click = kop::IsStaticClick(wParam);
    if (id >= kNoGroupButtonId && id < kNoGroupButtonId + static_cast<int>(kGroupButtonCount)) {
        if (click) ChooseGroup(effect, kNoGroup + (id - kNoGroupButtonId));
        return click;
    }
    if (id == kShiftDownId || id == kShiftUpId) {
        const bool press = kop::IsStaticClick(wParam, true);
        if (press) StepShift(effect, id == kShiftUpId ? 1 : -1);
        return press;
    }
    if (id == kLowKeyTextId || id == kHighKeyTextId) {
        if (click) ToggleLearning(effect, id == kLowKeyTextId ? kLearnLowKey : kLearnHighKey);
        return click;
    }
    return false;
}

// The refresh flag the group's setter raises shows the group's shift; the
// buttons show the choice at once.
void ShiftwellPage::ChooseGroup(NuvMfx& effect, std::int32_t group) {
    Parameter(kGroupParameter).set(effect, group);
    ShowGroup(group);
}

void ShiftwellPage::TakeShiftSlider(NuvMfx& effect) { SetShift(effect, TruncatedValue(shiftSlider.Value())); }

// A step within the slider's range; the step buttons mark nothing dirty.
void ShiftwellPage::StepShift(NuvMfx& effect, std::int32_t step) {
    const std::int32_t current = TruncatedValue(shiftSlider.Value());
    const ParameterDescription& shift = Parameter(kShiftParameter);
    if (step < 0 ? current <= shift.minimum : current >= shift.maximum) return;
    shiftSlider.SetValue(static_cast<float>(current + step));
    SetShift(effect, TruncatedValue(shiftSlider.Value()));
}

// The own shift, and in a group the group's too (the shift's setter).
void ShiftwellPage::SetShift(NuvMfx& effect, std::int32_t shift) {
    if (Allows(Parameter(kShiftParameter), shift)) Parameter(kShiftParameter).set(effect, shift);
    shiftText.SetCaption(DecimalText(shift));
}

// Moving the range ends learning; each end that now stands for another key
// is stored. Nothing is marked dirty.
void ShiftwellPage::TakeKeyRange(NuvMfx& effect) {
    if (LearnModeOf(effect) != kLearnOff) EndLearning(effect);
    const std::int32_t low = KeyAtPosition(keyRange.Low());
    const std::int32_t high = KeyAtPosition(keyRange.High());
    if (low != Parameter(kLowKeyParameter).get(effect)) {
        Parameter(kLowKeyParameter).set(effect, low);
        ShowLimit(lowKeyText, low);
    }
    if (high != Parameter(kHighKeyParameter).get(effect)) {
        Parameter(kHighKeyParameter).set(effect, high);
        ShowLimit(highKeyText, high);
    }
}

// A click on the limit being learnt ends learning; any other starts learning
// this limit.
void ShiftwellPage::ToggleLearning(NuvMfx& effect, LearnMode mode) {
    if (LearnModeOf(effect) == mode) {
        WriteLocked(effect.settingsLock, effect.learnMode, kLearnOff);
        effect.refreshFlag = 1;
        ShowLearning(kLearnOff);
    } else {
        WriteLocked(effect.settingsLock, effect.learnMode, mode);
        ShowLearning(mode);
    }
}

// A wheel notch over a limit text (or any such step) ends learning; over a
// limit it moves that limit within 0..127. Every step marks the settings
// dirty.
void ShiftwellPage::StepLimit(NuvMfx& effect, int id, std::int32_t step) {
    if (LearnModeOf(effect) != kLearnOff) EndLearning(effect);
    if (id == kLowKeyTextId || id == kHighKeyTextId) {
        const ParameterDescription& limit = Parameter(id == kLowKeyTextId ? kLowKeyParameter : kHighKeyParameter);
        const std::int64_t moved = std::int64_t{limit.get(effect)} + step;
        const std::int32_t key = static_cast<std::int32_t>(
            std::min<std::int64_t>(std::max<std::int64_t>(moved, limit.minimum), limit.maximum));
        limit.set(effect, key);
        ShowKeyRange(Parameter(kLowKeyParameter).get(effect), Parameter(kHighKeyParameter).get(effect));
    }
    MarkDirty();
}

void ShiftwellPage::EndLearning(NuvMfx& effect) {
    WriteLocked(effect.settingsLock, effect.learnMode, kLearnOff);
    effect.refreshFlag = 1;
    ShowLearning(kLearnOff);
}

void ShiftwellPage::ShowGroup(std::int32_t group) {
    for (std::size_t i = 0; i < kGroupButtonCount; ++i) {
        groupButtons[i].SetChecked(static_cast<std::int32_t>(i) == ShownGroup(group) - kNoGroup);
    }
}

// The limit being learnt shows on a box.
void ShiftwellPage::ShowLearning(std::int32_t mode) {
    for (auto [text, limitMode] : {std::pair{&lowKeyText, kLearnLowKey}, std::pair{&highKeyText, kLearnHighKey}}) {
        if (text->boxed == (mode == limitMode)) continue;
        text->boxed = mode == limitMode;
        text->Repaint();
    }
}

// Both ends where they are, each within 0..127: a range whose low end lies
// above its high end shows so, with no span between the thumbs.
void ShiftwellPage::ShowKeyRange(std::int32_t low, std::int32_t high) {
    keyRange.ShowEnds(KeyPosition(low), KeyPosition(high));
    ShowLimit(lowKeyText, low);
    ShowLimit(highKeyText, high);
}

void ShiftwellPage::ShowLimit(kop::KopTransparentText& text, std::int32_t key) { text.SetCaption(KeyName(ShownKey(key))); }

}  // namespace nuv::shiftwell

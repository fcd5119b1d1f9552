// The NuvShiftwell editor page: a row of group buttons, the shift slider with
// a step button on each side and its value above it, and the key range slider
// between the two limit texts. A click on a limit text starts (or ends)
// learning that limit from the next live note, and the wheel over it steps
// the limit. While the page is grouped, it follows the shift other pages of
// the group set, through its refresh poll.
//
// Which edits mark the settings dirty: the shift slider and the limit steps;
// not the groups, the step buttons, the range slider nor learning.
#pragma once

#include <array>
#include <cstdint>

#include "framework/page/property_page.h"
#include "plugins/shiftwell/group_table.h"
#include "plugins/shiftwell/shiftwell_effect.h"
#include "toolkit/kop_gdiplus_range_slider.h"
#include "toolkit/kop_gdiplus_slider.h"
#include "toolkit/kop_gdiplus_text_button.h"
#include "toolkit/kop_transparent_text.h"

namespace nuv::shiftwell {

// The page's template controls.
enum ShiftwellControlId : int {
    kTitleId = 1036,
    kPowerId = 1019,
    kBadgeId = 1037,
    kNoGroupButtonId = 1005,  // then "Group 1" to "Group 4" at 1006 to 1009
    kShiftDownId = 1004,
    kShiftSliderId = 1003,
    kShiftUpId = 1002,
    kShiftTextId = 1020,
    kNameLabelId = 1038,
    kLowKeyTextId = 1023,
    kKeyRangeId = 1010,
    kHighKeyTextId = 1025,
    kRangeLabelId = 1039,
};

// "NONE" and the four groups.
inline constexpr std::size_t kGroupButtonCount = kGroupCount + 1;
// The page's background bitmap.
inline constexpr int kBackgroundBitmapId = 138;

class ShiftwellPage : public NuvMfxPropertyPage {
public:
    // [window thread]
    ShiftwellPage();

    // The controls, public for the tests that drive them.
    std::array<kop::KopGdiPlusTextButton, kGroupButtonCount> groupButtons;
    kop::KopGdiPlusButton shiftDown;
    kop::KopGdiPlusSlider shiftSlider;
    kop::KopGdiPlusButton shiftUp;
    kop::KopTransparentText shiftText;
    kop::KopTransparentText nameLabel;
    kop::KopTransparentText lowKeyText;
    kop::KopGdiPlusRangeSlider keyRange;
    kop::KopTransparentText highKeyText;
    kop::KopTransparentText rangeLabel;

protected:
    // [window thread]
    void InitPage() override;
    // [window thread]
    void ReadDisplayedValues() override;
    // [window thread] A grouped page whose shift differs from its group's
    // takes the group's.
    bool HasOwnReasonToRefresh() override;
    // [window thread]
    bool OnPageMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // The linked effect once set up; null otherwise.
    NuvMfx* Editable() const;
    bool OnCommand(NuvMfx& effect, int id, WPARAM wParam);
    void ChooseGroup(NuvMfx& effect, std::int32_t group);
    void TakeShiftSlider(NuvMfx& effect);
    void StepShift(NuvMfx& effect, std::int32_t step);
    void SetShift(NuvMfx& effect, std::int32_t shift);
    void TakeKeyRange(NuvMfx& effect);
    void ToggleLearning(NuvMfx& effect, LearnMode mode);
    void StepLimit(NuvMfx& effect, int id, std::int32_t step);
    void EndLearning(NuvMfx& effect);
    void ShowGroup(std::int32_t group);
    void ShowLearning(std::int32_t mode);
    void ShowKeyRange(std::int32_t low, std::int32_t high);
    void ShowLimit(kop::KopTransparentText& text, std::int32_t key);
};

}  // namespace nuv::shiftwell

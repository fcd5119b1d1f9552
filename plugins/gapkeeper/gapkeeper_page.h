// The NuvGapkeeper editor page: the detection range and the note margin as
// sliders with a number beside each, the same-note switch, their labels, the
// title, the on/off button and the logo badge. The switch takes effect at
// once without marking the settings dirty; the sliders mark them dirty.
#pragma once

#include <array>

#include "framework/page/switch_amount_page.h"

namespace nuv::gapkeeper {

// The page's template controls.
enum GapkeeperControlId : int {
    kTitleId = 1029,
    kPowerId = 1018,
    kBadgeId = 1026,
    kDetectionRangeLabelId = 1024,
    kNoteMarginLabelId = 1025,
    kSameNoteOnlyLabelId = 1027,
    kDetectionRangeSliderId = 1003,
    kNoteMarginSliderId = 1008,
    kSameNoteOnlySwitchId = 1005,
    kDetectionRangeNumberId = 1019,
    kNoteMarginNumberId = 1020,
};

inline constexpr std::size_t kLabelCount = 3;
inline constexpr std::size_t kAmountCount = 2;

class GapkeeperPage : public SwitchAmountPage {
public:
    // [window thread]
    GapkeeperPage();

    // The controls: labels in the order detection range, note margin, same
    // note only; sliders and numbers in the order detection range, note margin.
    std::array<kop::KopTransparentText, kLabelCount> labels;
    std::array<kop::KopGdiPlusSlider, kAmountCount> sliders;
    std::array<kop::KopTransparentText, kAmountCount> numbers;
    kop::KopGdiPlusButton sameNoteOnly;

    // [any thread]
    ConstantList<SwitchControl> Switches() const override { return switches_; }
    // [any thread]
    ConstantList<AmountControl> Amounts() const override { return amounts_; }

protected:
    // [window thread]
    void InitPage() override;

private:
    const SwitchControl switches_[1];
    const AmountControl amounts_[kAmountCount];
};

}  // namespace nuv::gapkeeper

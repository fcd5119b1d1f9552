// The NuvSloppet editor page: the five switches of the randomiser as check
// boxes with their labels, the three amounts as sliders with a number beside
// each, the title, the on/off button and the logo badge. Switches take effect
// at once without marking the settings dirty; the amounts mark them dirty.
#pragma once

#include <array>

#include "framework/page/switch_amount_page.h"

namespace nuv::sloppet {

// The page's template controls.
enum SloppetControlId : int {
    kTitleId = 1029,
    kPowerId = 1018,
    kBadgeId = 1032,
    kNoteOnSwitchId = 1005,
    kNoteOffSwitchId = 1006,
    kNoteVelSwitchId = 1007,
    kPreventSameSwitchId = 1015,
    kPreserveDifferentSwitchId = 1016,
    kNoteOnLabelId = 1024,
    kNoteOffLabelId = 1025,
    kNoteVelLabelId = 1026,
    kPreventSameLabelId = 1027,
    kPreserveDifferentLabelId = 1028,
    kNoteOnSliderId = 1003,
    kNoteOffSliderId = 1008,
    kNoteVelSliderId = 1009,
    kNoteOnNumberId = 1019,
    kNoteOffNumberId = 1020,
    kNoteVelNumberId = 1021,
};

inline constexpr std::size_t kSwitchCount = 5;
inline constexpr std::size_t kAmountCount = 3;

class SloppetPage : public SwitchAmountPage {
public:
    // [window thread]
    SloppetPage();

    // The controls, in the order of the switches and amounts below.
    std::array<kop::KopGdiPlusButton, kSwitchCount> switchButtons;
    std::array<kop::KopTransparentText, kSwitchCount> labels;
    std::array<kop::KopGdiPlusSlider, kAmountCount> sliders;
    std::array<kop::KopTransparentText, kAmountCount> numbers;

    // [any thread]
    ConstantList<SwitchControl> Switches() const override { return switches_; }
    // [any thread]
    ConstantList<AmountControl> Amounts() const override { return amounts_; }

protected:
    // [window thread]
    void InitPage() override;

private:
    const SwitchControl switches_[kSwitchCount];
    const AmountControl amounts_[kAmountCount];
};

}  // namespace nuv::sloppet

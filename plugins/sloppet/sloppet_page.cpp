#include "plugins/sloppet/sloppet_page.h"

#include "framework/page/control_setup.h"
#include "plugins/sloppet/sloppet_ids.h"
#include "plugins/sloppet/sloppet_parameters.h"

namespace nuv::sloppet {

namespace {

// The page's colour scheme: numbers, text, thumb top, thumb bottom, bar.
constexpr std::array<kop::Argb, 5> kColours = {0xFFFFFFF0, 0xFFFFFFFF, 0xFFFFFFFF, 0xFF646464, 0xC8FFE6D2};
constexpr float kTitleSize = 30.0f;
constexpr float kAmountPageStep = 5.0f;
constexpr bool kForwardWheelRaises = true;

const kop::KopFont kLabelFont{L"Arial", 12.0f, true, false};
const kop::KopFont kNumberFont{L"Arial", 13.0f, true, false};

constexpr int kLabelIds[kSwitchCount] = {kNoteOnLabelId, kNoteOffLabelId, kNoteVelLabelId, kPreventSameLabelId,
                                         kPreserveDifferentLabelId};
constexpr int kNumberIds[kAmountCount] = {kNoteOnNumberId, kNoteOffNumberId, kNoteVelNumberId};

const ParameterDescription& Parameter(ParameterIndex index) { return Parameters()[index]; }

}  // namespace

SloppetPage::SloppetPage()
    : SwitchAmountPage(kIdentity),
      switches_{{kNoteOnSwitchId, switchButtons[0], Parameter(kNoteOnParameter)},
                {kNoteOffSwitchId, switchButtons[1], Parameter(kNoteOffParameter)},
                {kNoteVelSwitchId, switchButtons[2], Parameter(kNoteVelParameter)},
                {kPreventSameSwitchId, switchButtons[3], Parameter(kPreventSameNoteOverlapParameter)},
                {kPreserveDifferentSwitchId, switchButtons[4], Parameter(kPreserveDifferentNoteOverlapParameter)}},
      amounts_{{kNoteOnSliderId, sliders[0], numbers[0], Parameter(kNoteOnAmountParameter)},
               {kNoteOffSliderId, sliders[1], numbers[1], Parameter(kNoteOffAmountParameter)},
               {kNoteVelSliderId, sliders[2], numbers[2], Parameter(kNoteVelAmountParameter)}} {}

// Inside Activate, in the order of the design: title, labels, sliders,
// switches, numbers, power button, badge. Each switch's label is its
// parameter's.
void SloppetPage::InitPage() {
    colours = kColours;
    const kop::ColourRef textColour = kop::ToColourRef(colours[kop::kTextColour]);
    AddTitle(*this, kTitleId, L"Sloppet", kTitleSize);
    for (std::size_t i = 0; i < kSwitchCount; ++i) {
        AddCaption(*this, kLabelIds[i], labels[i], kLabelFont, kop::kAlignBottom, textColour, switches_[i].parameter.label);
    }
    for (const AmountControl& amount : amounts_) {
        AddHorizontalSlider(*this, amount.id, amount.slider, amount.parameter, kAmountPageStep, kForwardWheelRaises);
    }
    for (const SwitchControl& control : switches_) AddCheckBox(*this, control.id, control.button);
    for (std::size_t i = 0; i < kAmountCount; ++i) {
        AddCaption(*this, kNumberIds[i], numbers[i], kNumberFont, kop::kAlignCentre, kop::ToColourRef(colours[0]), L"");
    }
    AddPowerButton(*this, kPowerId);
    AddLogoBadge(*this, kBadgeId);
    InvalidateRect(Handle(), nullptr, TRUE);
}

}  // namespace nuv::sloppet

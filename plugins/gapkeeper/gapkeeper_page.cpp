#include "plugins/gapkeeper/gapkeeper_page.h"

#include "framework/page/control_setup.h"
#include "plugins/gapkeeper/gapkeeper_ids.h"
#include "plugins/gapkeeper/gapkeeper_parameters.h"

namespace nuv::gapkeeper {

namespace {

// The page's colour scheme: the first as the dialog base has it, then text,
// thumb top, thumb bottom, bar.
constexpr std::array<kop::Argb, 5> kColours = {kop::kDefaultPageColour, 0xFFFFFFFF, 0xFFFFFFFF, 0xFF646464,
                                               0x64FFC8C8};
constexpr kop::ColourRef kNumberColour = 0x00FFFFFF;
constexpr float kTitleSize = 30.0f;
constexpr float kAmountPageStep = 5.0f;
constexpr bool kForwardWheelRaises = false;

const kop::KopFont kLabelFont{L"Arial", 13.0f, true, false};
const kop::KopFont kNumberFont{L"Arial", 12.0f, true, false};

constexpr int kLabelIds[kLabelCount] = {kDetectionRangeLabelId, kNoteMarginLabelId, kSameNoteOnlyLabelId};
constexpr ParameterIndex kLabelParameters[kLabelCount] = {kDetectionRangeParameter, kNoteMarginParameter,
                                                          kSameNoteOnlyParameter};
constexpr int kNumberIds[kAmountCount] = {kDetectionRangeNumberId, kNoteMarginNumberId};

const ParameterDescription& Parameter(ParameterIndex index) { return Parameters()[index]; }

}  // namespace

GapkeeperPage::GapkeeperPage()
    : SwitchAmountPage(kIdentity),
      switches_{{kSameNoteOnlySwitchId, sameNoteOnly, Parameter(kSameNoteOnlyParameter)}},
      amounts_{{kDetectionRangeSliderId, sliders[0], numbers[0], Parameter(kDetectionRangeParameter)},
               {kNoteMarginSliderId, sliders[1], numbers[1], Parameter(kNoteMarginParameter)}} {}

// Inside Activate, in the order of the design: title, labels, numbers,
// sliders, switch, power button, badge. The labels are the parameters'.
void GapkeeperPage::InitPage() {
    colours = kColours;
    const kop::ColourRef textColour = kop::ToColourRef(colours[kop::kTextColour]);
    AddTitle(*this, kTitleId, L"Gapkeeper", kTitleSize);
    for (std::size_t i = 0; i < kLabelCount; ++i) {
        AddCaption(*this, kLabelIds[i], labels[i], kLabelFont, kop::kAlignBottom, textColour,
                   Parameter(kLabelParameters[i]).label);
    }
    for (std::size_t i = 0; i < kAmountCount; ++i) {
        AddCaption(*this, kNumberIds[i], numbers[i], kNumberFont, kop::kAlignCentre, kNumberColour, L"");
    }
    for (const AmountControl& amount : amounts_) {
        AddHorizontalSlider(*this, amount.id, amount.slider, amount.parameter, kAmountPageStep, kForwardWheelRaises);
    }
    AddCheckBox(*this, kSameNoteOnlySwitchId, sameNoteOnly);
    AddPowerButton(*this, kPowerId);
    AddLogoBadge(*this, kBadgeId);
    InvalidateRect(Handle(), nullptr, TRUE);
}

}  // namespace nuv::gapkeeper

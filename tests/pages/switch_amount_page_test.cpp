// The NuvSloppet and NuvGapkeeper pages driven through their controls on their DLLs' own templates.
#include <string>
#include <vector>

#include "plugins/gapkeeper/gapkeeper_effect.h"
#include "plugins/gapkeeper/gapkeeper_page.h"
#include "plugins/shiftwell/shiftwell_effect.h"
#include "plugins/sloppet/sloppet_effect.h"
#include "plugins/sloppet/sloppet_page.h"
#include "tests/pages/page_under_test.h"

namespace nuv::page_test {
namespace {

struct Sloppet {
    using Page = sloppet::SloppetPage;
    using Effect = sloppet::NuvMfx;
    static constexpr const char* kName = "NuvSloppet";
    static inline const std::vector<std::wstring> kLabels = {
        L"Note On", L"Note Off", L"Note Vel.", L"Prevent Same Note Overlap", L"Preserve Different Note Overlap"};
};

struct Gapkeeper {
    using Page = gapkeeper::GapkeeperPage;
    using Effect = gapkeeper::NuvMfx;
    static constexpr const char* kName = "NuvGapkeeper";
    static inline const std::vector<std::wstring> kLabels = {L"Detection Range:", L"Note Margin:", L"Same Note Only:"};
};

template <class Deliverable>
using SwitchAmountPage = PageUnderTest<Deliverable>;
using Deliverables = ::testing::Types<Sloppet, Gapkeeper>;
TYPED_TEST_SUITE(SwitchAmountPage, Deliverables);

// A Load then shows on every control at the next tick: switches off again, amounts at 7, 8 and on.
TYPED_TEST(SwitchAmountPage, SwitchesWriteAtOnceSlidersMarkDirtyAndStopAtTheirEndsALoadShowsEverywhere) {
    this->Open();
    std::vector<std::wstring> labels;
    for (const auto& label : this->page->labels) labels.push_back(label.TooltipText());
    EXPECT_EQ(labels, TypeParam::kLabels);
    for (const SwitchControl& control : this->page->Switches()) {
        this->Click(control.button);
        EXPECT_EQ(control.parameter.get(*this->effect), 1) << control.id;
    }
    EXPECT_FALSE(this->Dirty());
    for (const AmountControl& amount : this->page->Amounts()) {
        this->Key(amount.slider, VK_END);
        this->Key(amount.slider, VK_RIGHT);
        EXPECT_EQ(amount.parameter.get(*this->effect), amount.parameter.maximum) << amount.id;
        this->Key(amount.slider, VK_PRIOR, 200);
        EXPECT_EQ(amount.parameter.get(*this->effect), amount.parameter.minimum) << amount.id;
        EXPECT_EQ(amount.number.Caption(), DecimalText(amount.parameter.minimum));
    }
    EXPECT_TRUE(this->Dirty());
    ExpectResizeContract(this->frame, *this->page);

    auto source = testing::MakeEffect<typename TypeParam::Effect>();
    std::int32_t value = 7;
    for (const AmountControl& amount : this->page->Amounts()) amount.parameter.set(*source, value++);
    ASSERT_EQ(testing::LoadBytes(*this->effect, testing::SavedBytes(*source)), S_OK);
    this->Tick(*this->page);
    for (const SwitchControl& control : this->page->Switches()) EXPECT_FALSE(control.button.Checked()) << control.id;
    value = 7;
    for (const AmountControl& amount : this->page->Amounts()) {
        EXPECT_EQ(amount.slider.Value(), static_cast<float>(value));
        EXPECT_EQ(amount.number.Caption(), DecimalText(value++));
    }
}

TYPED_TEST(SwitchAmountPage, AnotherDeliverablesEffectIsLeftAlone) {
    auto foreign = testing::MakeEffect<shiftwell::NuvMfx>();
    const std::vector<std::uint8_t> before = testing::SavedBytes(*foreign, false);
    this->OpenOn(foreign->Identity());
    for (const SwitchControl& control : this->page->Switches()) this->Click(control.button);
    for (const AmountControl& amount : this->page->Amounts()) this->Key(amount.slider, VK_END);
    this->Tick(*this->page);
    EXPECT_EQ(testing::SavedBytes(*foreign, false), before);
    EXPECT_NE(foreign->IsDirty(), S_OK);
}

}  // namespace
}  // namespace nuv::page_test

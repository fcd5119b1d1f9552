// Every deliverable's parameter descriptions against its engine: a fresh
// effect holds the described default; each end of a range written through
// the description reads back, reaches the settings stream when the
// parameter is saved and stays out of it when not; a choice's range is its
// choices'.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "plugins/gapkeeper/gapkeeper_effect.h"
#include "plugins/gapkeeper/gapkeeper_parameters.h"
#include "plugins/ondulo/ondulo_effect.h"
#include "plugins/ondulo/ondulo_parameters.h"
#include "plugins/shiftwell/shiftwell_effect.h"
#include "plugins/shiftwell/shiftwell_parameters.h"
#include "plugins/sloppet/sloppet_effect.h"
#include "plugins/sloppet/sloppet_parameters.h"
#include "plugins/velocurve/velocurve_effect.h"
#include "plugins/velocurve/velocurve_parameters.h"
#include "plugins/wobbleton/wobbleton_effect.h"
#include "plugins/wobbleton/wobbleton_parameters.h"
#include "tests/support/event_builders.h"
#include "tests/support/group_table_reset.h"

namespace nuv {
namespace {

struct Deliverable {
    const char* name;
    ParameterList parameters;
    ComRef<NuvMfxShell> (*make)();
};

template <class Effect>
ComRef<NuvMfxShell> Make() {
    return ComRef<NuvMfxShell>(new Effect);
}

const Deliverable kDeliverables[] = {
    {"NuvShiftwell", shiftwell::Parameters(), &Make<shiftwell::NuvMfx>},
    {"NuvOndulo", ondulo::Parameters(), &Make<ondulo::NuvMfx>},
    {"NuvSloppet", sloppet::Parameters(), &Make<sloppet::NuvMfx>},
    {"NuvGapkeeper", gapkeeper::Parameters(), &Make<gapkeeper::NuvMfx>},
    {"NuvVelocurveV2", velocurve::Parameters(), &Make<velocurve::NuvMfx>},
    {"NuvWobbleton", wobbleton::Parameters(), &Make<wobbleton::NuvMfx>},
};

std::string Where(const Deliverable& d, const ParameterDescription& p) {
    std::string label;
    for (const wchar_t* c = p.label; *c != L'\0'; ++c) label.push_back(static_cast<char>(*c));
    return std::string(d.name) + " " + label;
}

class ParameterDescriptions : public ::testing::Test {
protected:
    void SetUp() override { testing::ResetGroupTable(); }
    void TearDown() override { testing::ResetGroupTable(); }
};

TEST_F(ParameterDescriptions, AFreshEffectHoldsEveryDescribedDefault) {
    for (const Deliverable& d : kDeliverables) {
        ComRef<NuvMfxShell> fresh = d.make();
        for (const ParameterDescription& p : d.parameters) {
            EXPECT_EQ(p.get(*fresh), p.defaultValue) << Where(d, p);
            EXPECT_TRUE(Allows(p, p.defaultValue)) << Where(d, p);
        }
    }
}

TEST_F(ParameterDescriptions, EachEndOfARangeReadsBackAndTravelsAsSaved) {
    for (const Deliverable& d : kDeliverables) {
        for (const ParameterDescription& p : d.parameters) {
            for (const std::int32_t value : {p.minimum, p.maximum}) {
                ComRef<NuvMfxShell> edited = d.make();
                p.set(*edited, value);
                EXPECT_EQ(p.get(*edited), value) << Where(d, p);
                ComRef<NuvMfxShell> reloaded = d.make();
                ASSERT_EQ(testing::LoadBytes(*reloaded, testing::SavedBytes(*edited)), S_OK) << Where(d, p);
                EXPECT_EQ(p.get(*reloaded), p.saved ? value : p.defaultValue) << Where(d, p);
                testing::ResetGroupTable();
            }
            EXPECT_FALSE(Allows(p, p.minimum - 1)) << Where(d, p);
            EXPECT_FALSE(Allows(p, p.maximum + 1)) << Where(d, p);
        }
    }
}

TEST_F(ParameterDescriptions, AChoicesRangeIsItsChoicesAndNothingBetween) {
    for (const Deliverable& d : kDeliverables) {
        for (const ParameterDescription& p : d.parameters) {
            if (p.kind != ParameterKind::Choice) {
                EXPECT_TRUE(p.choices.empty()) << Where(d, p);
                continue;
            }
            ASSERT_FALSE(p.choices.empty()) << Where(d, p);
            const auto byValue = [](const ParameterChoice& a, const ParameterChoice& b) { return a.value < b.value; };
            const auto [low, high] = std::minmax_element(p.choices.begin(), p.choices.end(), byValue);
            EXPECT_EQ(low->value, p.minimum) << Where(d, p);
            EXPECT_EQ(high->value, p.maximum) << Where(d, p);
            for (std::int32_t v = p.minimum; v <= p.maximum; ++v)
                EXPECT_EQ(Allows(p, v), ChoiceLabel(p, v) != nullptr) << Where(d, p) << " " << v;
        }
    }
}

TEST_F(ParameterDescriptions, AGroupedShiftIsTheGroupsForEveryMember) {
    const ParameterDescription& group = shiftwell::Parameters()[shiftwell::kGroupParameter];
    const ParameterDescription& shift = shiftwell::Parameters()[shiftwell::kShiftParameter];
    ComRef<NuvMfxShell> first = Make<shiftwell::NuvMfx>();
    ComRef<NuvMfxShell> second = Make<shiftwell::NuvMfx>();
    group.set(*first, 1);
    group.set(*second, 1);
    first->refreshFlag = 0;
    second->refreshFlag = 0;
    shift.set(*first, -7);
    EXPECT_EQ(shift.get(*second), -7);
    EXPECT_EQ(first->refreshFlag, 1);  // the page shows the group's value
}

TEST_F(ParameterDescriptions, FloatsReadTruncatedAndDamagedValuesReadAsNumbers) {
    EXPECT_EQ(TruncatedValue(-3.9f), -3);
    EXPECT_EQ(TruncatedValue(1e30f), 2147483647);
    EXPECT_EQ(TruncatedValue(-1e30f), -2147483647 - 1);
    EXPECT_EQ(TruncatedValue(std::numeric_limits<float>::quiet_NaN()), 0);
}

}  // namespace
}  // namespace nuv

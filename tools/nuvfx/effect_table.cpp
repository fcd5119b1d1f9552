// The six effects the tool knows: each deliverable's name and parameter
// descriptions, with the tool's own short name and summary, how to make one
// and how to seed it.
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
#include "tools/nuvfx/effect_registry.h"
#include "tools/nuvfx/parameter_value.h"

namespace nuv::nuvfx {
namespace {

template <class Effect>
ComRef<NuvMfxShell> Make() {
    return ComRef<NuvMfxShell>(new Effect);
}

// Effects with a random source of their own that the tool can seed.
template <class Effect>
void Seed(NuvMfxShell& effect, std::uint32_t seed) {
    static_cast<Effect&>(effect).Random().Seed(seed);
}

template <class Effect>
EffectInfo Describe(const wchar_t* deliverable, std::string shortName, std::string description,
                    ParameterList params) {
    EffectInfo info;
    info.name = Narrowed(deliverable);
    info.shortName = std::move(shortName);
    info.description = std::move(description);
    info.create = &Make<Effect>;
    info.params = params;
    return info;
}

std::vector<EffectInfo> AllEffects() {
    std::vector<EffectInfo> effects;
    effects.push_back(Describe<shiftwell::NuvMfx>(shiftwell::kDeliverableName, "shiftwell",
                                                  "transposes the notes of a key range", shiftwell::Parameters()));
    effects.push_back(Describe<ondulo::NuvMfx>(ondulo::kDeliverableName, "ondulo",
                                               "a low-frequency wave written as a controller", ondulo::Parameters()));
    effects.back().seed = &Seed<ondulo::NuvMfx>;
    effects.push_back(Describe<sloppet::NuvMfx>(sloppet::kDeliverableName, "sloppet",
                                                "humanises note timing and velocity", sloppet::Parameters()));
    effects.back().seed = &Seed<sloppet::NuvMfx>;
    effects.push_back(Describe<gapkeeper::NuvMfx>(gapkeeper::kDeliverableName, "gapkeeper",
                                                  "removes short overlaps between notes", gapkeeper::Parameters()));
    effects.push_back(Describe<velocurve::NuvMfx>(velocurve::kDeliverableName, "velocurve",
                                                  "reshapes velocity, pressure or a controller through a curve",
                                                  velocurve::Parameters()));
    effects.push_back(Describe<wobbleton::NuvMfx>(wobbleton::kDeliverableName, "wobbleton",
                                                  "drifts the pitch wheel along a smooth random curve",
                                                  wobbleton::Parameters()));
    effects.back().ownRandomNumbers = "a fixed sequence, the same on every run";
    return effects;
}

}  // namespace

const std::vector<EffectInfo>& Effects() {
    static const std::vector<EffectInfo> effects = AllEffects();
    return effects;
}

}  // namespace nuv::nuvfx

#include "tools/nuvfx/effect_listing.h"

#include <cstdio>

#include "tools/nuvfx/effect_registry.h"

namespace nuv::nuvfx {

std::string EffectListing() {
    std::string out;
    for (const EffectInfo& effect : Effects()) {
        out += effect.name + " (" + effect.shortName + "): " + effect.description +
               (effect.seed ? "; --seed sets its random numbers" : "") + "\n";
        for (const ParameterDescription& p : effect.params) {
            char line[256];
            std::snprintf(line, sizeof line, "  %-30s %-44s default %s", ParamName(p).c_str(), RangeText(p).c_str(),
                          ValueText(p, p.defaultValue).c_str());
            out += line;
            const std::string remark = RemarkText(p);
            if (!remark.empty()) out += " (" + remark + ")";
            out += "\n";
        }
    }
    return out;
}

}  // namespace nuv::nuvfx

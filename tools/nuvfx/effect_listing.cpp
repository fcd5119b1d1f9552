#include "tools/nuvfx/effect_listing.h"

#include <cstdio>

#include "tools/nuvfx/effect_registry.h"

namespace nuv::nuvfx {

std::string EffectListing() {
    std::string out;
    for (const EffectInfo& effect : Effects()) {
        out += effect.name + " (" + effect.shortName + "): " + effect.description +
               (effect.seed ? "; --seed sets its random numbers" : "") + "\n";
        ComRef<NuvMfxShell> fresh = effect.create();
        for (const ParamInfo& p : effect.params) {
            char line[256];
            std::snprintf(line, sizeof line, "  %-30s %-44s default %s", p.name.c_str(), RangeText(p).c_str(),
                          ValueText(p, p.get(*fresh)).c_str());
            out += line;
            if (!p.note.empty()) out += " (" + p.note + ")";
            out += "\n";
        }
    }
    return out;
}

}  // namespace nuv::nuvfx

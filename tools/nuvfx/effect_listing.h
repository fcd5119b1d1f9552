// The text of `nuvfx list`: each effect with its parameters, their ranges,
// their defaults and their remarks, as the effects describe them.
#pragma once

#include <string>

namespace nuv::nuvfx {

std::string EffectListing();

}  // namespace nuv::nuvfx

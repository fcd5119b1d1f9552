// The text of `nuvfx list`: each effect with its parameters, their ranges and
// their defaults (read from a fresh instance of the effect).
#pragma once

#include <string>

namespace nuv::nuvfx {

std::string EffectListing();

}  // namespace nuv::nuvfx

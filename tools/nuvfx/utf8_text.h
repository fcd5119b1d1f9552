// Well-formed UTF-8 in text that may come in another encoding (file names):
// the writers of JSON and SVG keep what is UTF-8 and replace the rest.
#pragma once

#include <cstddef>
#include <string>

namespace nuv::nuvfx {

// `text` with every byte that is not part of well-formed UTF-8 (overlong
// forms, surrogates and values beyond U+10FFFF included) replaced by U+FFFD.
std::string WellFormedUtf8(const std::string& text);

}  // namespace nuv::nuvfx

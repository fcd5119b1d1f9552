// Well-formed UTF-8 in text that may come in another encoding (file names):
// the writers of JSON and SVG keep what is UTF-8 and replace the rest.
#pragma once

#include <cstddef>
#include <string>

namespace nuv::nuvfx {

// The length of the well-formed UTF-8 sequence of two to four bytes at `at`
// (no overlong forms, no surrogates, nothing beyond U+10FFFF), or 0 when the
// byte there starts none.
std::size_t Utf8SequenceLength(const std::string& text, std::size_t at);

}  // namespace nuv::nuvfx

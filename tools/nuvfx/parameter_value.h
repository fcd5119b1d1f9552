// Parameter values as a user types them: whole numbers, on/off switches, the
// labels of a choice, and note names such as C4 or F#-1 for key numbers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace nuv::nuvfx {

// Lower case with spaces, dots, colons, underscores and hyphens left out, so
// that "Note Vel." and "notevel" or "16 Beats" and "16beats" compare equal.
std::string NormalisedName(const std::string& text);

// A text of the effects' own (labels, names: plain ASCII) as bytes; null
// gives an empty text.
std::string Narrowed(const wchar_t* text);

// A whole number in decimal with an optional sign, nothing else.
std::optional<std::int64_t> ParseInteger(const std::string& text);

// A note name: C, C#, Db ... B, then the octave from -1; C4 is 60. Only
// results within 0..127 are accepted.
std::optional<std::int32_t> ParseNoteName(const std::string& text);

// on/off, yes/no, true/false, 1/0.
std::optional<std::int32_t> ParseSwitch(const std::string& text);

// The name of a note number as the pages show it (KeyName): C-1 for 0, C4
// for 60, G9 for 127.
std::string NoteName(std::int32_t note);

}  // namespace nuv::nuvfx

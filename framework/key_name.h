// Note names as the pages and nuvfx show them: "C4" for note 60, "C-1" for
// note 0.
#pragma once

#include <cstdint>
#include <string>

namespace nuv {

// The twelve names of the octave, from C.
extern const wchar_t* const kNoteNames[12];

// Name of a note number: the octave name followed by the octave (number / 12 - 1).
std::wstring KeyName(std::int32_t note);

}  // namespace nuv

#include "framework/key_name.h"

namespace nuv {

const wchar_t* const kNoteNames[12] = {L"C", L"C#", L"D", L"D#", L"E", L"F", L"F#", L"G", L"G#", L"A", L"A#", L"B"};

std::wstring KeyName(std::int32_t note) {
    // Floor division and a non-negative remainder, so that a negative number
    // still names a real note (-1 is B-2).
    std::int64_t octave = note / 12;
    std::int32_t index = note % 12;
    if (index < 0) {
        index += 12;
        --octave;
    }
    return std::wstring(kNoteNames[index]) + std::to_wstring(octave - 1);
}

}  // namespace nuv

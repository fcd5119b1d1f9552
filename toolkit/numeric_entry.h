// The rules of the numeric entry field, apart from any window: which texts it
// accepts as a value, which it shows as "OFF", which it refuses (the field
// then restores its previous text), and how the wheel steps the value.
// Plain C++, any thread.
#pragma once

#include <cstdint>
#include <string>

namespace nuv::kop {

inline constexpr wchar_t kOffText[] = L"OFF";

enum class EntryVerdict {
    kAccept,   // the value and the text are taken
    kOff,      // integer 0: the value is 0 and the field shows "OFF"
    kRestore,  // refused: the previous text comes back
};

struct IntegerEntry {
    EntryVerdict verdict;
    std::int32_t value;  // meaningful unless kRestore
};

struct RealEntry {
    EntryVerdict verdict;  // kAccept or kRestore
    double value;
};

// The whole text as a base-10 integer without overflow: 0 is "OFF" whatever
// the range; another number outside minimum..maximum, trailing characters, no
// digits at all or overflow are refused.
IntegerEntry JudgeIntegerEntry(const std::wstring& text, std::int32_t minimum, std::int32_t maximum);

// The whole text as a floating-point number without range error, within
// minimum..maximum (a "nan" is never within).
RealEntry JudgeRealEntry(const std::wstring& text, std::int32_t minimum, std::int32_t maximum);

// One wheel notch: the value plus 1 (forward) or minus 1, taken only when it
// stays within minimum..maximum.
std::int32_t WheelStepped(std::int32_t value, bool forward, std::int32_t minimum, std::int32_t maximum);

}  // namespace nuv::kop

#include "toolkit/numeric_entry.h"

#include <cerrno>
#include <cstdint>
#include <cwchar>
#include <limits>

namespace nuv::kop {

IntegerEntry JudgeIntegerEntry(const std::wstring& text, std::int32_t minimum, std::int32_t maximum) {
    const IntegerEntry refused{EntryVerdict::kRestore, 0};
    const wchar_t* start = text.c_str();
    wchar_t* end = nullptr;
    errno = 0;
    const long long parsed = std::wcstoll(start, &end, 10);
    if (end == start || *end != L'\0' || errno == ERANGE) return refused;
    if (parsed < std::numeric_limits<std::int32_t>::min() || parsed > std::numeric_limits<std::int32_t>::max()) {
        return refused;
    }
    const auto value = static_cast<std::int32_t>(parsed);
    if (value == 0) return IntegerEntry{EntryVerdict::kOff, 0};
    if (value < minimum || value > maximum) return refused;
    return IntegerEntry{EntryVerdict::kAccept, value};
}

RealEntry JudgeRealEntry(const std::wstring& text, std::int32_t minimum, std::int32_t maximum) {
    const RealEntry refused{EntryVerdict::kRestore, 0.0};
    const wchar_t* start = text.c_str();
    wchar_t* end = nullptr;
    errno = 0;
    const double parsed = std::wcstod(start, &end);
    if (end == start || *end != L'\0' || errno == ERANGE) return refused;
    if (!(parsed >= static_cast<double>(minimum) && parsed <= static_cast<double>(maximum))) return refused;
    return RealEntry{EntryVerdict::kAccept, parsed};
}

std::int32_t WheelStepped(std::int32_t value, bool forward, std::int32_t minimum, std::int32_t maximum) {
    const std::int64_t stepped = static_cast<std::int64_t>(value) + (forward ? 1 : -1);
    return stepped >= minimum && stepped <= maximum ? static_cast<std::int32_t>(stepped) : value;
}

}  // namespace nuv::kop

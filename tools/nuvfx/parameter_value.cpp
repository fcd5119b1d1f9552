#include "tools/nuvfx/parameter_value.h"

#include <cctype>

#include "framework/key_name.h"

namespace nuv::nuvfx {

std::string NormalisedName(const std::string& text) {
    std::string out;
    for (char ch : text) {
        if (ch == ' ' || ch == '.' || ch == ':' || ch == '_' || ch == '-') continue;
        out.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(ch))));
    }
    return out;
}

std::string Narrowed(const wchar_t* text) {
    std::string out;
    for (; text != nullptr && *text != L'\0'; ++text) out.push_back(static_cast<char>(*text));
    return out;
}

std::optional<std::int64_t> ParseInteger(const std::string& text) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    if (i == text.size() || text.size() - i > 12) return std::nullopt;
    std::int64_t v = 0;
    for (; i < text.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) return std::nullopt;
        v = v * 10 + (text[i] - '0');
    }
    return negative ? -v : v;
}

std::optional<std::int32_t> ParseNoteName(const std::string& text) {
    static const int kSemitones[7] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    if (text.empty()) return std::nullopt;
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    if (letter < 'A' || letter > 'G') return std::nullopt;
    int semitone = kSemitones[letter - 'A'];
    std::size_t i = 1;
    if (i < text.size() && text[i] == '#') {
        ++semitone;
        ++i;
    } else if (i < text.size() && text[i] == 'b') {
        --semitone;
        ++i;
    }
    const auto octave = ParseInteger(text.substr(i));
    if (!octave || *octave < -1 || *octave > 9) return std::nullopt;
    const std::int64_t note = (*octave + 1) * 12 + semitone;
    if (note < 0 || note > 127) return std::nullopt;
    return static_cast<std::int32_t>(note);
}

std::optional<std::int32_t> ParseSwitch(const std::string& text) {
    const std::string t = NormalisedName(text);
    if (t == "on" || t == "yes" || t == "true" || t == "1") return 1;
    if (t == "off" || t == "no" || t == "false" || t == "0") return 0;
    return std::nullopt;
}

std::string NoteName(std::int32_t note) { return Narrowed(KeyName(note).c_str()); }

}  // namespace nuv::nuvfx

// What one parameter of an effect is, for everyone who shows or sets it: the
// deliverable's editor page and the command-line tool. Each deliverable
// describes its parameters once, beside its engine, from the engine's own
// named constants (plugins/<name>/<name>_parameters.h); the page takes its
// control ranges, labels and choices from there, and nuvfx its names, ranges,
// defaults and remarks, so that neither repeats a range or a default.
//
// A description is a constant table entry: texts, numbers and two plain
// functions. `get` and `set` reach the effect's field under its settings
// lock, one value at a time, and `set` also does what the engine does when
// the value changes (a group's shared shift, a wave generator's cycle).
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <limits>
#include <type_traits>

#include "framework/effect_shell.h"
#include "platform/sync.h"

namespace nuv {

enum class ParameterKind : std::uint8_t {
    Integer,  // a whole number within [minimum, maximum]
    Float,    // the engine keeps a float; set in whole steps within [minimum, maximum], read truncated
    Switch,   // 0 off, 1 on
    Choice,   // one of `choices`
    Key,      // a note number within [minimum, maximum], shown by its name (KeyName)
};

// A constant list of T: a table's items with their count.
template <class T>
struct ConstantList {
    const T* items = nullptr;
    std::size_t count = 0;

    constexpr ConstantList() = default;
    template <std::size_t N>
    constexpr ConstantList(const T (&table)[N]) : items(table), count(N) {}

    constexpr const T* begin() const { return items; }
    constexpr const T* end() const { return items + count; }
    constexpr std::size_t size() const { return count; }
    constexpr bool empty() const { return count == 0; }
    constexpr const T& operator[](std::size_t i) const { return items[i]; }
};

struct ParameterChoice {
    const wchar_t* label;  // as the page's button shows it: "16 Beats", "Note Active"
    std::int32_t value;
};

struct ParameterDescription {
    const wchar_t* label;                  // as the page labels it: "Note Vel.", "P.Width"
    ConstantList<const wchar_t*> aliases;  // further names the tool takes (the engine's field names)
    ParameterKind kind;
    std::int32_t minimum;  // Switch: 0; Choice: the smallest choice value
    std::int32_t maximum;  // Switch: 1; Choice: the largest choice value
    std::int32_t defaultValue;
    const wchar_t* unit;  // what one step counts ("ticks"), or empty
    const wchar_t* note;  // a remark for listings, or empty
    bool saved;           // whether the settings stream keeps it
    ConstantList<ParameterChoice> choices;  // Choice only
    // [window thread, or the tool's one thread] The value as the
    // kind shows it, read under the effect's settings lock.
    std::int32_t (*get)(NuvMfxShell& effect);
    // [window thread, or the tool's one thread] Writes a value that Allows accepts under the settings
    // lock, then does what the engine does when it changes. Dirty marking is
    // the caller's: the pages mark only the edits their design names.
    void (*set)(NuvMfxShell& effect, std::int32_t value);
};

using ParameterList = ConstantList<ParameterDescription>;

// [any thread] Whether `value` is one the parameter takes: within its range,
// and for a choice one of its values.
bool Allows(const ParameterDescription& parameter, std::int32_t value);

// [any thread] The label of the choice with `value`, or null.
const wchar_t* ChoiceLabel(const ParameterDescription& parameter, std::int32_t value);

// [any thread] A float parameter's whole value: truncated toward zero,
// saturated at the ends of int32, 0 for a value that is not a number (which
// only a damaged settings stream can hold).
std::int32_t TruncatedValue(float value);

// Accessors for a parameter that is one field of its engine, named by a
// pointer to that member (&NuvMfx::noteMargin). Integer, switch and byte
// fields are read and written as they are, float fields in whole steps.
template <class Member>
struct FieldOf;
template <class Engine, class Field>
struct FieldOf<Field Engine::*> {
    using EngineType = Engine;
    using ValueType = Field;
};
template <class Engine, class Value>
struct FieldOf<Relaxed<Value> Engine::*> {
    using EngineType = Engine;
    using ValueType = Value;
};

template <auto Member>
std::int32_t ReadField(NuvMfxShell& effect) {
    using Field = FieldOf<decltype(Member)>;
    auto& engine = static_cast<typename Field::EngineType&>(effect);
    const typename Field::ValueType value = ReadLocked(engine.settingsLock, engine.*Member);
    if constexpr (std::is_floating_point_v<typename Field::ValueType>) {
        return TruncatedValue(value);
    } else {
        return static_cast<std::int32_t>(value);
    }
}

template <auto Member>
void WriteField(NuvMfxShell& effect, std::int32_t value) {
    using Field = FieldOf<decltype(Member)>;
    auto& engine = static_cast<typename Field::EngineType&>(effect);
    WriteLocked(engine.settingsLock, engine.*Member, static_cast<typename Field::ValueType>(value));
}

// The shell's on/off button, which every page has: 0 passes everything
// through unchanged. Not saved. A deliverable whose button does more (the
// host's pulses) gives its own setter.
inline constexpr const wchar_t* kEnabledAliases[] = {L"power"};
constexpr ParameterDescription EnabledParameter(void (*set)(NuvMfxShell&, std::int32_t) =
                                                    &WriteField<&NuvMfxShell::enabled>) {
    return {L"Enabled",
            kEnabledAliases,
            ParameterKind::Switch,
            0,
            1,
            1,
            L"",
            L"the on/off button",
            false,
            {},
            &ReadField<&NuvMfxShell::enabled>,
            set};
}

}  // namespace nuv

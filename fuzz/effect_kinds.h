// The six engines as the fuzz drivers see them: how to make one that draws
// reproducible random numbers, its parameter descriptions, what its page
// writes besides them, and the promises its output keeps beyond the ones
// every engine keeps.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/effect_shell.h"
#include "framework/parameter_description.h"
#include "fuzz/fuzz_input.h"

namespace nuv::fuzz {

// One processing call as the checks see it. `in` holds the records the
// input queue could hand out, `out` what the effect wrote (the first
// kMaxKept of them).
template <class Record>
struct CallRecords {
    std::int32_t from = 0;  // the span, for song events
    std::int32_t thru = 0;
    std::vector<Record> in;
    std::vector<Record> out;
};
using EventCallRecords = CallRecords<HostEvent>;
using DataCallRecords = CallRecords<HostData>;

struct EffectKind {
    const char* name;
    // A new effect, reference count 1, its random source seeded with 1.
    NuvMfxShell* (*make)();
    ParameterList (*parameters)();
    // The page's own work besides its parameters, chosen and valued by the
    // input: the writes no parameter description makes (a learn request, a
    // dragged curve point) and the reads of a repaint (the wave graph's copy
    // of the generator, the curve's velocity markers). Window thread.
    void (*pageWork)(NuvMfxShell& effect, FuzzInput& input);
    // This engine's own promises about one call's output; each fails
    // through Fail. Null where there are none beyond the common ones.
    void (*checkEvents)(NuvMfxShell& effect, const EventCallRecords& call);
    void (*checkData)(NuvMfxShell& effect, const DataCallRecords& call);
};

// A value `parameter` allows: for a choice the (pick modulo the number of
// choices)-th, else minimum + pick modulo the size of the range. Any thread.
std::int32_t AllowedValue(const ParameterDescription& parameter, std::uint32_t pick);

// The six, in the order of the deliverables' table.
const std::vector<EffectKind>& EffectKinds();

// By the deliverable's name ("NuvOndulo"); null when there is none.
const EffectKind* FindEffectKind(const char* name);

}  // namespace nuv::fuzz

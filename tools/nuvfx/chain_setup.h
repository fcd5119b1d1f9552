// The effects of a run as the command line gives them: one effect or a chain
// such as gapkeeper+sloppet+velocurve, applied in that order. Options address
// one effect of the chain as EFFECT.name=value (--set) or EFFECT=FILE
// (--settings, --save-settings, --plugin), EFFECT being its name or, for an
// effect that occurs twice, its place from 1. A plain name=value is taken by
// the one effect of the chain that has that parameter; a plain FILE needs a
// chain of one.
//
// --seed N seeds every effect of the chain that draws random numbers the tool
// can seed: the first effect of the chain with N itself (so a chain repeats
// the run of its first effect alone), each later one with a seed derived from
// N and its place, so that two effects never draw the same numbers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tools/nuvfx/effect_setup.h"

namespace nuv::nuvfx {

struct ChainOptions {
    std::string chain;                      // "gapkeeper+sloppet+velocurve"
    std::vector<std::string> sets;          // [EFFECT.]name=value
    std::vector<std::string> settings;      // [EFFECT=]FILE
    std::vector<std::string> saveSettings;  // [EFFECT=]FILE
    std::vector<std::string> plugins;       // [EFFECT=]PATH.dll
    std::optional<std::int64_t> seed;
};

// One effect of the chain, ready to make instances.
struct ChainStage {
    std::string effect;                 // the deliverable's name
    InstanceMaker makeInstance;
    std::string seedText;               // how its random numbers are seeded, for the summary
    std::optional<std::uint32_t> seed;  // the seed in force when the tool seeds it
    bool sharesProcessState = false;    // see SharesProcessWideState
    bool hosted = false;                // its instances come from a DLL
};

// Parses and checks every option, makes one instance of each effect up front
// (which checks the settings streams before any song is read) and writes the
// --save-settings files. Throws ToolError. Main thread.
std::vector<ChainStage> SetUpChain(const ChainOptions& options);

// The seed of the effect at `place` (from 0) of a chain run with --seed
// `seed`. Any thread.
std::uint32_t ChainSeed(std::uint32_t seed, std::size_t place);

}  // namespace nuv::nuvfx

#include "tools/nuvfx/chain_setup.h"

#include <cctype>

#include "tools/nuvfx/effect_lookup.h"
#include "tools/nuvfx/file_io.h"
#include "tools/nuvfx/plugin_instances.h"

namespace nuv::nuvfx {
namespace {

// One effect of the chain while the options are sorted out.
struct StagePlan {
    const EffectInfo* effect = nullptr;
    EffectSetup setup;
    std::string plugin;
    std::string saveSettings;
};

using Plans = std::vector<StagePlan>;

std::string ChainText(const Plans& plans) {
    std::string out;
    for (const StagePlan& p : plans) out += (out.empty() ? "" : "+") + ShortName(*p.effect);
    return out;
}

// "2. sloppet", how messages name an effect of a longer chain.
std::string PlaceText(const Plans& plans, std::size_t place) {
    return plans.size() == 1 ? EffectName(*plans[place].effect)
                             : std::to_string(place + 1) + ". " + ShortName(*plans[place].effect);
}

Plans PlanChain(const std::string& chain) {
    Plans plans;
    std::size_t begin = 0;
    while (true) {
        const std::size_t plus = chain.find('+', begin);
        const std::string name = chain.substr(begin, plus == std::string::npos ? std::string::npos : plus - begin);
        if (name.empty()) throw ToolError("an effect name is missing in the chain '" + chain + "'");
        const EffectInfo* effect = EffectNamed(name);
        if (effect == nullptr) throw ToolError("unknown effect '" + name + "' (known: " + KnownEffectNames() + ")");
        plans.push_back({effect, {}, {}, {}});
        plans.back().setup.effect = effect;
        if (plus == std::string::npos) return plans;
        begin = plus + 1;
    }
}

bool AllDigits(const std::string& text) {
    if (text.empty() || text.size() > 6) return false;
    for (char ch : text)
        if (!std::isdigit(static_cast<unsigned char>(ch))) return false;
    return true;
}

// The effect `qualifier` names: its place from 1, or its name when it occurs
// once in the chain. Nothing when it is no effect's name at all.
std::optional<std::size_t> StageNamed(const Plans& plans, const std::string& qualifier) {
    if (AllDigits(qualifier)) {
        const std::size_t place = std::stoul(qualifier);
        if (place < 1 || place > plans.size())
            throw ToolError("there is no effect " + qualifier + " in the chain " + ChainText(plans) + " (1 to " +
                            std::to_string(plans.size()) + ")");
        return place - 1;
    }
    const EffectInfo* effect = EffectNamed(qualifier);
    if (effect == nullptr) return std::nullopt;
    std::optional<std::size_t> found;
    for (std::size_t i = 0; i < plans.size(); ++i) {
        if (plans[i].effect != effect) continue;
        if (found)
            throw ToolError(ShortName(*effect) + " is in the chain " + ChainText(plans) +
                            " more than once: address it by its place (" + std::to_string(*found + 1) + " or " +
                            std::to_string(i + 1) + ")");
        found = i;
    }
    if (!found) throw ToolError(ShortName(*effect) + " is not in the chain " + ChainText(plans));
    return found;
}

// --set [EFFECT.]name=value.
void AddSet(Plans& plans, const std::string& text) {
    const std::size_t eq = text.find('=');
    if (eq == std::string::npos || eq == 0) throw ToolError("--set wants name=value, got '" + text + "'");
    std::string name = text.substr(0, eq);
    const std::string value = text.substr(eq + 1);
    std::optional<std::size_t> place;
    const std::size_t dot = name.find('.');
    if (dot != std::string::npos && dot > 0) {
        place = StageNamed(plans, name.substr(0, dot));
        if (place) name = name.substr(dot + 1);
    }
    if (!place && plans.size() == 1) place = 0;
    if (!place) {
        std::vector<std::size_t> owners;
        for (std::size_t i = 0; i < plans.size(); ++i)
            if (HasParam(*plans[i].effect, name)) owners.push_back(i);
        if (owners.empty()) throw ToolError("unknown parameter '" + name + "' for every effect of the chain " + ChainText(plans));
        if (owners.size() > 1) {
            std::string list;
            for (std::size_t i : owners) list += (list.empty() ? "" : ", ") + PlaceText(plans, i);
            throw ToolError("more than one effect of the chain has '" + name + "' (" + list +
                            "): say which, as EFFECT." + name + "=" + value);
        }
        place = owners.front();
    }
    plans[*place].setup.sets.push_back(ParseSetting(*plans[*place].effect, name, value));
}

// [EFFECT=]VALUE of a file option: the effect it addresses and the value.
std::pair<std::size_t, std::string> AddressedValue(const Plans& plans, const std::string& text,
                                                   const std::string& option) {
    const std::size_t eq = text.find('=');
    if (eq != std::string::npos && eq > 0)
        if (std::optional<std::size_t> place = StageNamed(plans, text.substr(0, eq))) return {*place, text.substr(eq + 1)};
    if (plans.size() > 1)
        throw ToolError(option + " " + text + ": say which effect of the chain " + ChainText(plans) +
                        " it is for, as EFFECT=FILE");
    return {0, text};
}

// Each option of `values` into the field `field` of the effect it addresses,
// once per effect.
void AddFileOption(Plans& plans, const std::vector<std::string>& values, const std::string& option,
                   std::string StagePlan::*field) {
    for (const std::string& text : values) {
        auto [place, value] = AddressedValue(plans, text, option);
        if (value.empty()) throw ToolError(option + " wants a file name, got '" + text + "'");
        std::string& target = plans[place].*field;
        if (!target.empty()) throw ToolError("two " + option + " options for " + PlaceText(plans, place));
        target = value;
    }
}

void AddSettingsFiles(Plans& plans, const std::vector<std::string>& values) {
    std::vector<std::string> files(plans.size());
    for (const std::string& text : values) {
        auto [place, file] = AddressedValue(plans, text, "--settings");
        if (!files[place].empty()) throw ToolError("two --settings options for " + PlaceText(plans, place));
        files[place] = file;
        plans[place].setup.settings = ReadWholeFile(file);
        plans[place].setup.settingsName = file;
    }
}

// In a chain, an effect that draws no random numbers says nothing of --seed.
std::string SeedText(const StagePlan& plan, std::optional<std::uint32_t> given, std::size_t place,
                     std::optional<std::uint32_t> seed, bool chained) {
    const EffectInfo& effect = *plan.effect;
    if (!plan.plugin.empty() && TakesSeed(effect))
        return given ? "--seed does not reach the DLL; it seeds itself" : "seeded by the DLL itself";
    if (!TakesSeed(effect)) {
        const std::string& own = OwnRandomNumbers(effect);
        if (!given || (chained && own.empty())) return own;
        return "--seed does not apply to " + EffectName(effect) + (own.empty() ? "" : ": " + own);
    }
    if (!given) return "seeded from the clock (give --seed N to repeat a run)";
    if (place == 0) return "seed " + std::to_string(*seed);
    return "seed " + std::to_string(*seed) + " (derived from --seed " + std::to_string(*given) + " for effect " +
           std::to_string(place + 1) + " of the chain)";
}

// A DLL takes its settings only as a stream: --set goes through the linked
// engine, whose Save gives the stream the DLL loads.
EffectSetup PluginSetup(EffectSetup setup) {
    if (setup.sets.empty()) return setup;
    for (const SetRequest& s : setup.sets) RequireSaved(s);
    setup.settings = SaveSettings(LinkedInstances(setup)()->Persist());
    setup.settingsName = "made from --set";
    setup.sets.clear();
    return setup;
}

ChainStage MakeStage(StagePlan& plan, std::optional<std::uint32_t> given, std::size_t place, bool chained) {
    ChainStage stage;
    stage.effect = EffectName(*plan.effect);
    if (given && TakesSeed(*plan.effect) && plan.plugin.empty()) {
        stage.seed = ChainSeed(*given, place);
        plan.setup.seed = stage.seed;
    }
    stage.seedText = SeedText(plan, given, place, stage.seed, chained);
    stage.sharesProcessState = SharesProcessWideState(*plan.effect);
    stage.hosted = !plan.plugin.empty();
    stage.makeInstance = stage.hosted ? PluginInstances(plan.plugin, *plan.effect, PluginSetup(plan.setup))
                                      : LinkedInstances(plan.setup);
    // One instance up front: it checks the settings before any file is read
    // and is the one whose settings --save-settings writes.
    const std::unique_ptr<EffectInstance> first = stage.makeInstance();
    if (!plan.saveSettings.empty()) WriteFileSafely(plan.saveSettings, SaveSettings(first->Persist()));
    return stage;
}

}  // namespace

std::uint32_t ChainSeed(std::uint32_t seed, std::size_t place) {
    if (place == 0) return seed;
    // SplitMix64's finaliser over the seed and the place: well spread, and
    // the same on every platform.
    std::uint64_t z = (std::uint64_t{seed} << 32 | static_cast<std::uint32_t>(place)) + 0x9E3779B97F4A7C15ull;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return static_cast<std::uint32_t>(z >> 32);
}

std::vector<ChainStage> SetUpChain(const ChainOptions& options) {
    if (options.seed && (*options.seed < 0 || *options.seed > 0xFFFFFFFFll))
        throw ToolError("--seed must be 0 to 4294967295");
    Plans plans = PlanChain(options.chain);
    for (const std::string& s : options.sets) AddSet(plans, s);
    AddSettingsFiles(plans, options.settings);
    AddFileOption(plans, options.saveSettings, "--save-settings", &StagePlan::saveSettings);
    AddFileOption(plans, options.plugins, "--plugin", &StagePlan::plugin);

    std::optional<std::uint32_t> given;
    if (options.seed) given = static_cast<std::uint32_t>(*options.seed);
    std::vector<ChainStage> stages;
    for (std::size_t i = 0; i < plans.size(); ++i) stages.push_back(MakeStage(plans[i], given, i, plans.size() > 1));
    return stages;
}

}  // namespace nuv::nuvfx

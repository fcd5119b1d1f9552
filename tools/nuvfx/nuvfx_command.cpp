#include "tools/nuvfx/nuvfx_command.h"

#include <optional>

#include <CLI/CLI.hpp>

#include "tools/nuvfx/effect_listing.h"
#include "tools/nuvfx/effect_registry.h"
#include "tools/nuvfx/file_io.h"
#include "tools/nuvfx/parameter_value.h"
#include "tools/nuvfx/plugin_instances.h"
#include "tools/nuvfx/song_processing.h"

namespace nuv::nuvfx {
namespace {

struct ProcessArguments {
    std::string effect;
    std::string input;
    std::string output;
    std::vector<std::string> sets;
    std::string settingsFile;
    std::string saveSettingsFile;
    std::string plugin;
    std::optional<std::int64_t> seed;
    std::int64_t span = 0;
    bool dryRun = false;
};

std::string KnownEffects() {
    std::string out;
    for (const EffectInfo& e : Effects()) out += (out.empty() ? "" : ", ") + e.shortName;
    return out;
}

std::string KnownParams(const EffectInfo& effect) {
    std::string out;
    for (const ParameterDescription& p : effect.params) out += (out.empty() ? "" : ", ") + ParamName(p);
    return out;
}

SetRequest ParseSet(const EffectInfo& effect, const std::string& text) {
    const std::size_t eq = text.find('=');
    if (eq == std::string::npos || eq == 0) throw ToolError("--set wants name=value, got '" + text + "'");
    const std::string name = text.substr(0, eq);
    const ParameterDescription* param = FindParam(effect, name);
    if (param == nullptr)
        throw ToolError("unknown parameter '" + name + "' for " + effect.name + " (" + KnownParams(effect) + ")");
    const ParsedValue parsed = ParseValue(*param, text.substr(eq + 1));
    if (!parsed.value) throw ToolError(parsed.error);
    return {param, *parsed.value};
}

std::string SeedText(const EffectInfo& effect, const ProcessArguments& a) {
    if (!a.plugin.empty() && effect.seed)
        return a.seed ? "--seed does not reach the DLL; it seeds itself" : "seeded by the DLL itself";
    if (!effect.seed) {
        const std::string& own = effect.ownRandomNumbers;
        if (!a.seed) return own;
        return "--seed does not apply to " + effect.name + (own.empty() ? "" : ": " + own);
    }
    if (a.seed) return "seed " + std::to_string(*a.seed);
    return "seeded from the clock (give --seed N to repeat a run)";
}

// A DLL takes its settings only as a stream: --set goes through the linked
// engine, whose Save gives the stream the DLL loads.
EffectSetup PluginSetup(EffectSetup setup) {
    if (setup.sets.empty()) return setup;
    for (const SetRequest& s : setup.sets)
        if (!s.param->saved)
            throw ToolError(ParamName(*s.param) + " is not saved with the settings, so a DLL cannot be given it");
    setup.settings = SaveSettings(LinkedInstances(setup)()->Persist());
    setup.settingsName = "made from --set";
    setup.sets.clear();
    return setup;
}

int Process(const ProcessArguments& a, std::ostream& out) {
    const EffectInfo* effect = FindEffect(a.effect);
    if (effect == nullptr) throw ToolError("unknown effect '" + a.effect + "' (known: " + KnownEffects() + ")");
    if (!a.dryRun && a.output.empty()) throw ToolError("process needs OUT.mid (or --dry-run)");
    if (a.span < 0 || a.span > 0x40000000) throw ToolError("--span must be 1 to 1073741824 ticks");
    if (a.seed && (*a.seed < 0 || *a.seed > 0xFFFFFFFFll)) throw ToolError("--seed must be 0 to 4294967295");

    EffectSetup setup;
    setup.effect = effect;
    for (const std::string& s : a.sets) setup.sets.push_back(ParseSet(*effect, s));
    if (!a.settingsFile.empty()) {
        setup.settings = ReadWholeFile(a.settingsFile);
        setup.settingsName = a.settingsFile;
    }
    if (a.seed) setup.seed = static_cast<std::uint32_t>(*a.seed);

    InstanceMaker maker;
    if (!a.plugin.empty()) {
        maker = PluginInstances(a.plugin, *effect, PluginSetup(setup));
    } else {
        maker = LinkedInstances(setup);
    }
    // One instance up front: it checks the settings before any file is read
    // and is the one whose settings --save-settings writes.
    const std::unique_ptr<EffectInstance> first = maker();
    if (!a.saveSettingsFile.empty()) WriteFileSafely(a.saveSettingsFile, SaveSettings(first->Persist()));

    SongRequest request;
    request.effectName = effect->name;
    request.input = a.input;
    request.output = a.output;
    request.dryRun = a.dryRun;
    request.span = static_cast<std::int32_t>(a.span);
    request.seedText = SeedText(*effect, a);
    out << ProcessSong(request, maker);
    return 0;
}

}  // namespace

int RunNuvfx(std::vector<std::string> args, std::ostream& out, std::ostream& err) {
    CLI::App app{"Applies the Nuv MIDI effects to Standard MIDI Files.", "nuvfx"};
    // Paths such as /tmp/song.mid are files, also in the Windows build.
    app.allow_windows_style_options(false);
    app.require_subcommand(1);
    CLI::App* list = app.add_subcommand("list", "the effects with their parameters, ranges and defaults");
    CLI::App* process = app.add_subcommand("process", "runs an effect over a song");
    ProcessArguments a;
    process->add_option("EFFECT", a.effect, "NuvShiftwell or shiftwell, ondulo, sloppet, gapkeeper, velocurve, "
                                            "wobbleton (any letter case)")->required();
    process->add_option("IN", a.input, "the Standard MIDI File to read")->required();
    process->add_option("OUT", a.output, "the file to write (not with --dry-run)");
    process->add_option("--set", a.sets, "name=value, as `nuvfx list` shows; repeatable")->expected(1)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    process->add_option("--settings", a.settingsFile, "a settings stream as a host stores it, loaded first");
    process->add_option("--save-settings", a.saveSettingsFile, "writes the settings stream in force");
    process->add_option("--seed", a.seed, "seeds the random numbers of the effects that draw them");
    process->add_option("--span", a.span, "ticks per OnEvents call (default one beat)");
    process->add_flag("--dry-run", a.dryRun, "reports only; writes no song");
    if (PluginHostingAvailable())
        process->add_option("--plugin", a.plugin, "hosts this DLL of the effect through COM instead of the engine");

    // CLI11 takes the arguments in reverse order.
    std::vector<std::string> reversed(args.rbegin(), args.rend());
    try {
        app.parse(reversed);
    } catch (const CLI::CallForHelp&) {
        out << app.help();
        return 0;
    } catch (const CLI::ParseError& e) {
        std::string what = e.what();
        if (what.empty()) what = "bad arguments; see nuvfx --help";
        err << "nuvfx: " << what << "\n";
        return 2;
    }
    try {
        if (list->parsed()) {
            out << EffectListing();
            return 0;
        }
        return Process(a, out);
    } catch (const ToolError& e) {
        err << "nuvfx: " << e.what() << "\n";
    } catch (const std::bad_alloc&) {
        err << "nuvfx: out of memory\n";
    }
    return 2;
}

}  // namespace nuv::nuvfx

#include "tools/nuvfx/nuvfx_command.h"

#include <CLI/CLI.hpp>

#include "tools/nuvfx/effect_listing.h"
#include "tools/nuvfx/file_io.h"
#include "tools/nuvfx/plugin_instances.h"
#include "tools/nuvfx/process_command.h"
#include "tools/nuvfx/roll_command.h"

namespace nuv::nuvfx {
namespace {

constexpr const char* kProcessExamples = R"(
Examples:
  one effect:        nuvfx process shiftwell in.mid out.mid --set shift=5 --set lowkey=C4
  a chain:           nuvfx process gapkeeper+sloppet+velocurve in.mid out.mid --seed 7 \
                       --set sloppet.noteon=on --set velocurve.p1=60 --set notemargin=10
  settings per effect: nuvfx process gapkeeper+velocurve in.mid out.mid \
                       --settings velocurve=curve.bin --save-settings gapkeeper=now.bin
  many files:        nuvfx process gapkeeper+sloppet songs/ extra.mid --out-dir cleaned/ -j 4
  a picture:         nuvfx process sloppet in.mid out.mid --seed 3 --roll changes.svg
  damaged files:     nuvfx process gapkeeper cut.mid out.mid           (reads what players read, warns)
                     nuvfx process gapkeeper cut.mid out.mid --strict  (refuses it)
  for programs:      nuvfx process velocurve songs/ --out-dir out/ --json > summary.jsonl
  summary only:      nuvfx process gapkeeper in.mid --dry-run
  a roll of a song:  nuvfx roll in.mid -o in.svg;  before and after: nuvfx roll in.mid out.mid -o diff.svg

With --out-dir each input file or folder (searched for .mid and .midi files) is processed into DIR
at its relative path; a file that fails is reported in one line and the rest go on; the last line
counts the files done and failed, and the status is 2 if any failed. Outputs are written whole or
not at all. With --seed N the first effect of a chain uses N and each later one a seed derived
from N and its place, as the summary says.)";

void AddProcessOptions(CLI::App& process, ProcessArguments& a) {
    process.add_option("EFFECT", a.chain.chain,
                       "an effect, or several joined by + as a chain: shiftwell, ondulo, sloppet, gapkeeper, "
                       "velocurve, wobbleton (or NuvShiftwell ..., any letter case)")
        ->required();
    process.add_option("FILES", a.files, "IN.mid OUT.mid; with --out-dir, input files and folders")->required();
    process.add_option("--out-dir", a.outDir, "processes every input into this folder");
    process.add_option("-j,--jobs", a.jobs, "files processed at once with --out-dir (default: one per processor)");
    process.add_option("--set", a.chain.sets, "[EFFECT.]name=value, as `nuvfx list` shows; repeatable")
        ->expected(1)->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    process.add_option("--settings", a.chain.settings,
                       "[EFFECT=]FILE: a settings stream as a host stores it, loaded first; repeatable")
        ->expected(1)->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    process.add_option("--save-settings", a.chain.saveSettings, "[EFFECT=]FILE: writes the settings stream in force")
        ->expected(1)->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    process.add_option("--seed", a.chain.seed, "seeds the random numbers of the effects that draw them");
    process.add_option("--span", a.span, "ticks per OnEvents call (default one beat)");
    process.add_option("--roll", a.roll, "draws the song before and after as an SVG piano roll");
    process.add_flag("--dry-run", a.dryRun, "reports only; writes no song");
    process.add_flag("--strict", a.strict, "refuses damaged files that players read (cut off, no end of track, RMID)");
    process.add_flag("--json", a.json, "reports each file as one line of JSON");
    if (PluginHostingAvailable())
        process.add_option("--plugin", a.chain.plugins,
                           "[EFFECT=]PATH.dll: hosts this DLL of the effect through COM instead of the engine")
            ->expected(1)->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    process.footer(kProcessExamples);
}

void AddRollOptions(CLI::App& roll, RollArguments& a) {
    roll.add_option("FILES", a.files, "IN.mid, or IN.mid OUT.mid to compare")->required();
    roll.add_option("-o,--output", a.picture, "the SVG file to write")->required();
    roll.add_flag("--strict", a.strict, "refuses damaged files that players read");
}

}  // namespace

int RunNuvfx(std::vector<std::string> args, std::ostream& out, std::ostream& err, const Console& console) {
    CLI::App app{"Applies the Nuv MIDI effects to Standard MIDI Files.", "nuvfx"};
    // Paths such as /tmp/song.mid are files, also in the Windows build.
    app.allow_windows_style_options(false);
    app.require_subcommand(1);
    app.set_version_flag("--version", "nuvfx " NUVFX_VERSION);
    CLI::App* list = app.add_subcommand("list", "the effects with their parameters, ranges and defaults");
    CLI::App* process = app.add_subcommand("process", "runs an effect or a chain of effects over songs");
    CLI::App* roll = app.add_subcommand("roll", "draws a song, or two compared, as an SVG piano roll");
    ProcessArguments processArguments;
    AddProcessOptions(*process, processArguments);
    RollArguments rollArguments;
    AddRollOptions(*roll, rollArguments);

    // CLI11 takes the arguments in reverse order.
    std::vector<std::string> reversed(args.rbegin(), args.rend());
    try {
        app.parse(reversed);
    } catch (const CLI::CallForHelp&) {
        out << app.help();
        return 0;
    } catch (const CLI::CallForVersion& e) {
        out << e.what() << "\n";
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
        if (roll->parsed()) return RunRoll(rollArguments, out, err);
        return RunProcess(processArguments, out, err, console);
    } catch (const ToolError& e) {
        err << "nuvfx: " << e.what() << "\n";
    } catch (const std::bad_alloc&) {
        err << "nuvfx: out of memory\n";
    }
    return 2;
}

}  // namespace nuv::nuvfx

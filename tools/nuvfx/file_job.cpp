#include "tools/nuvfx/file_job.h"

#include <algorithm>
#include <filesystem>
#include <new>

#include "tools/nuvfx/chain_run.h"
#include "tools/nuvfx/file_io.h"
#include "tools/nuvfx/json_summary.h"
#include "tools/nuvfx/piano_roll.h"
#include "tools/nuvfx/song_reading.h"
#include "tools/smf/tempo_map.h"

namespace nuv::nuvfx {
namespace {

std::uint32_t EndOf(const smf::File& song) {
    std::uint32_t end = 0;
    for (const smf::Track& t : song.tracks) end = std::max(end, t.endTick);
    return end;
}

SongFacts FactsOf(const FileJob& job, const smf::File& in, const smf::File& out) {
    SongFacts facts;
    facts.input = job.input;
    facts.output = job.output;
    facts.format = in.format;
    facts.tracks = in.tracks.size();
    facts.timebase = in.division;
    const smf::TempoMap tempoIn(in), tempoOut(out);
    facts.secondsIn = tempoIn.SecondsAt(EndOf(in));
    facts.secondsOut = tempoOut.SecondsAt(EndOf(out));
    facts.tempoEvents = tempoIn.TempoEvents();
    return facts;
}

void MakeParentFolders(const std::string& path) {
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    if (parent.empty()) return;
    std::error_code ec;
    std::filesystem::create_directories(parent, ec);
    if (ec) throw ToolError("cannot write " + path + ": cannot make its folder: " + ec.message());
}

void WriteOutputs(const FileJob& job, const RunSettings& settings, const smf::File& song, const ChainRun& run) {
    if (!job.output.empty()) {
        if (job.makeFolders) MakeParentFolders(job.output);
        WriteFileSafely(job.output, run.passes.back().bytes);
    }
    if (!settings.roll.empty()) {
        const std::string after = job.output.empty() ? "after (dry run)" : FileNameOf(job.output);
        WriteFileSafely(settings.roll, ComparisonRollSvg(song, FileNameOf(job.input), run.output, after));
    }
}

std::string Report(const FileJob& job, const RunSettings& settings, const smf::File& song, const ChainRun& run,
                   const std::vector<std::string>& warnings) {
    const SongFacts facts = FactsOf(job, song, run.output);
    if (settings.json) return SummaryJson(facts, settings.stages, run, warnings);
    std::vector<StageReport> stages;
    for (std::size_t i = 0; i < settings.stages.size(); ++i)
        stages.push_back({settings.stages[i].effect, settings.stages[i].seedText, run.passes[i].total});
    return FormatSummary(facts, stages);
}

// The error as its line says it: naming the input file.
std::string NamingTheFile(const std::string& input, const std::string& error) {
    return error.find(input) != std::string::npos ? error : input + ": " + error;
}

}  // namespace

FileOutcome ProcessFile(const FileJob& job, const RunSettings& settings) {
    FileOutcome outcome;
    std::vector<std::string> warnings;
    std::string error;
    try {
        if (!job.problem.empty()) throw ToolError(job.problem);
        SongRead read = ReadSongFile(job.input, settings.strict);
        warnings = std::move(read.warnings);
        const ChainRun run = RunChain(read.file, settings.stages, settings.span);
        WriteOutputs(job, settings, read.file, run);
        outcome.report = Report(job, settings, read.file, run, warnings);
        outcome.ok = true;
    } catch (const ToolError& e) {
        error = e.what();
    } catch (const std::bad_alloc&) {
        error = "out of memory";
    } catch (const std::exception& e) {
        error = e.what();
    }
    for (const std::string& w : warnings) outcome.messages += "nuvfx: warning: " + job.input + ": " + w + "\n";
    if (!outcome.ok) {
        error = NamingTheFile(job.input, error);
        outcome.messages += "nuvfx: " + error + "\n";
        if (settings.json) outcome.report = FailureJson(job.input, job.output, error, warnings);
    }
    return outcome;
}

}  // namespace nuv::nuvfx

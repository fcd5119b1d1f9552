#include "tools/nuvfx/process_command.h"

#include <algorithm>
#include <thread>

#include "tools/nuvfx/batch_run.h"
#include "tools/nuvfx/file_io.h"
#include "tools/nuvfx/input_files.h"

namespace nuv::nuvfx {
namespace {

constexpr std::int64_t kMostWorkers = 256;

unsigned Workers(const ProcessArguments& a, const std::vector<ChainStage>& stages) {
    if (a.jobs && (*a.jobs < 1 || *a.jobs > kMostWorkers))
        throw ToolError("-j must be 1 to " + std::to_string(kMostWorkers));
    // A DLL's instances live on the main thread, as in a host.
    for (const ChainStage& s : stages)
        if (s.hosted) return 1;
    if (a.jobs) return static_cast<unsigned>(*a.jobs);
    return std::max(1u, std::thread::hardware_concurrency());
}

// One song: IN OUT, or IN alone for a dry run.
FileJob SingleJob(const ProcessArguments& a) {
    if (a.files.size() > 2)
        throw ToolError("process takes IN OUT for one song; for several, give --out-dir DIR");
    FileJob job;
    job.input = a.files.front();
    if (a.files.size() == 2 && !a.dryRun) job.output = a.files[1];
    if (!a.dryRun && job.output.empty()) throw ToolError("process needs OUT.mid (or --dry-run)");
    return job;
}

}  // namespace

int RunProcess(const ProcessArguments& a, std::ostream& out, std::ostream& err, const Console& console) {
    const bool many = !a.outDir.empty();
    if (a.files.empty()) throw ToolError("process needs IN.mid");
    if (a.span < 0 || a.span > 0x40000000) throw ToolError("--span must be 1 to 1073741824 ticks");
    if (many && !a.roll.empty()) throw ToolError("--roll draws one song; it does not go with --out-dir");
    const FileJob single = many ? FileJob{} : SingleJob(a);

    RunSettings settings;
    settings.stages = SetUpChain(a.chain);
    settings.span = static_cast<std::int32_t>(a.span);
    settings.strict = a.strict;
    settings.json = a.json;
    settings.roll = a.roll;
    const unsigned workers = Workers(a, settings.stages);

    const std::vector<FileJob> jobs = many ? JobsForInputs(a.files, a.dryRun ? "" : a.outDir)
                                           : std::vector<FileJob>{single};
    if (jobs.empty()) throw ToolError("no .mid or .midi files found in the inputs");
    const JobRunner run = [&settings](const FileJob& job) { return ProcessFile(job, settings); };
    const ProgressDisplay progress{many && console.progressBar, console.reportsBesideProgress};
    const BatchCounts counts = RunJobs(jobs, workers, run, out, err, progress);
    if (many) err << "nuvfx: " << counts.done << " done, " << counts.failed << " failed\n";
    return counts.failed == 0 ? 0 : 2;
}

}  // namespace nuv::nuvfx

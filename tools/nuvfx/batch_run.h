// Many files at once: jobs run on worker threads, and the calling thread
// reports each job as it finishes, in job order (so the report is the same
// whatever the number of workers), with an optional progress bar. A job that
// fails is reported and the rest go on.
#pragma once

#include <cstddef>
#include <functional>
#include <ostream>
#include <vector>

#include "tools/nuvfx/file_job.h"

namespace nuv::nuvfx {

struct BatchCounts {
    std::size_t done = 0;
    std::size_t failed = 0;
};

using JobRunner = std::function<FileOutcome(const FileJob&)>;

// Where the progress bar goes: on `err` when shown, and whether the reports
// on `out` land on the same terminal (so that the bar steps aside for them).
struct ProgressDisplay {
    bool shown = false;
    bool besideReports = false;
};

// With one worker every job runs on the calling thread. Reports go to `out`,
// messages and the progress bar to `err`. Main thread.
BatchCounts RunJobs(const std::vector<FileJob>& jobs, unsigned workers, const JobRunner& run, std::ostream& out,
                    std::ostream& err, ProgressDisplay progress);

}  // namespace nuv::nuvfx

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

// With one worker every job runs on the calling thread. Reports go to `out`,
// messages and the progress bar (when `progress`) to `err`. Main thread.
BatchCounts RunJobs(const std::vector<FileJob>& jobs, unsigned workers, const JobRunner& run, std::ostream& out,
                    std::ostream& err, bool progress);

}  // namespace nuv::nuvfx

#include "tools/nuvfx/batch_run.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

#include "tools/nuvfx/progress_bar.h"

namespace nuv::nuvfx {
namespace {

// What the workers hand to the reporting thread.
class Results {
public:
    explicit Results(std::size_t count) : outcomes_(count) {}

    // Worker threads.
    void Put(std::size_t index, FileOutcome outcome) {
        {
            const std::lock_guard<std::mutex> hold(lock_);
            if (!outcome.ok) ++failed_;
            ++finished_;
            outcomes_[index] = std::move(outcome);
        }
        changed_.notify_one();
    }

    // Reporting thread: waits until job `index` is finished or another
    // finishes; the outcome when `index` is there.
    std::optional<FileOutcome> Wait(std::size_t index, std::size_t& finished, std::size_t& failed) {
        std::unique_lock<std::mutex> hold(lock_);
        changed_.wait(hold, [&] { return outcomes_[index].has_value() || finished_ != finished; });
        finished = finished_;
        failed = failed_;
        std::optional<FileOutcome> out = std::move(outcomes_[index]);
        outcomes_[index].reset();
        return out;
    }

private:
    std::mutex lock_;
    std::condition_variable changed_;
    std::vector<std::optional<FileOutcome>> outcomes_;
    std::size_t finished_ = 0;
    std::size_t failed_ = 0;
};

class Reporter {
public:
    Reporter(std::ostream& out, std::ostream& err, std::size_t total, ProgressDisplay progress)
        : out_(out), err_(err), bar_(err, total), progress_(progress) {}

    // The bar steps aside only for what would land on its line.
    void Report(const FileOutcome& outcome) {
        if (!outcome.messages.empty() || (progress_.besideReports && !outcome.report.empty())) bar_.Clear();
        err_ << outcome.messages << std::flush;
        out_ << outcome.report << std::flush;
        ++(outcome.ok ? counts_.done : counts_.failed);
    }
    void Progress(std::size_t finished, std::size_t failed) {
        if (progress_.shown) bar_.Show(finished, failed);
    }
    BatchCounts Finish() {
        bar_.Clear();
        return counts_;
    }

private:
    std::ostream& out_;
    std::ostream& err_;
    ProgressBar bar_;
    ProgressDisplay progress_;
    BatchCounts counts_;
};

}  // namespace

BatchCounts RunJobs(const std::vector<FileJob>& jobs, unsigned workers, const JobRunner& run, std::ostream& out,
                    std::ostream& err, ProgressDisplay progress) {
    Reporter reporter(out, err, jobs.size(), progress);
    if (workers <= 1 || jobs.size() <= 1) {
        std::size_t failed = 0;
        for (std::size_t i = 0; i < jobs.size(); ++i) {
            reporter.Progress(i, failed);
            const FileOutcome outcome = run(jobs[i]);
            if (!outcome.ok) ++failed;
            reporter.Report(outcome);
        }
        reporter.Progress(jobs.size(), failed);
        return reporter.Finish();
    }

    Results results(jobs.size());
    std::atomic<std::size_t> next{0};
    std::vector<std::thread> threads;
    const std::size_t count = std::min<std::size_t>(workers, jobs.size());
    for (std::size_t t = 0; t < count; ++t) {
        threads.emplace_back([&] {
            for (std::size_t i = next++; i < jobs.size(); i = next++) results.Put(i, run(jobs[i]));
        });
    }
    std::size_t finished = 0, failed = 0;
    reporter.Progress(0, 0);
    for (std::size_t i = 0; i < jobs.size();) {
        std::optional<FileOutcome> outcome = results.Wait(i, finished, failed);
        if (outcome) {
            reporter.Report(*outcome);
            ++i;
        }
        reporter.Progress(finished, failed);
    }
    for (std::thread& t : threads) t.join();
    return reporter.Finish();
}

}  // namespace nuv::nuvfx

#include "fuzz/fuzz_failure.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace nuv::fuzz {

namespace {

[[noreturn]] void PrintAndAbort(const std::string& reason) {
    std::fprintf(stderr, "fuzz invariant broken: %s\n", reason.c_str());
    std::abort();
}

FailureHandler g_handler = &PrintAndAbort;

double ThreadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

}  // namespace

void SetFailureHandler(FailureHandler handler) { g_handler = handler != nullptr ? handler : &PrintAndAbort; }

void Fail(const std::string& reason) {
    g_handler(reason);
    std::abort();  // a handler that returns ends the run all the same
}

CallTimer::CallTimer() : start_(ThreadSeconds()) {}

void CallTimer::CheckWithin(const char* call, std::uint64_t recordsWritten) const {
    const double took = ThreadSeconds() - start_;
    const double bound = kAllowanceSeconds + kSecondsPerRecord * static_cast<double>(recordsWritten);
    if (took > bound) {
        char reason[160];
        std::snprintf(reason, sizeof reason, "%s took %.3f s of processor time for %llu records (bound %.3f s)",
                      call, took, static_cast<unsigned long long>(recordsWritten), bound);
        Fail(reason);
    }
}

}  // namespace nuv::fuzz

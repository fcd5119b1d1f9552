// How a fuzz driver reports a broken invariant, and the time bound of one
// call. Under libFuzzer a failure prints its reason and aborts, which the
// fuzzer records as a finding with its input; the replay test turns it into
// a test failure instead and goes on with the next input.
#pragma once

#include <cstdint>
#include <string>

namespace nuv::fuzz {

// Called with the reason; must not return.
using FailureHandler = void (*)(const std::string& reason);

// Any thread. The default prints the reason to the error output and aborts.
void SetFailureHandler(FailureHandler handler);

// Reports a broken invariant through the handler.
[[noreturn]] void Fail(const std::string& reason);

inline void Check(bool holds, const char* what) {
    if (!holds) Fail(what);
}

// The processor time one call may take: a fixed allowance and a share per
// record the call wrote, so that a call which writes much may take longer but
// none hangs. Processor time of the calling thread, so a busy machine does not
// make a call look slow.
class CallTimer {
public:
    static constexpr double kAllowanceSeconds = 0.5;
    static constexpr double kSecondsPerRecord = 5e-6;

    CallTimer();
    // Fails, naming `call`, when the time since construction exceeds the
    // bound for `recordsWritten`.
    void CheckWithin(const char* call, std::uint64_t recordsWritten) const;

private:
    double start_;
};

}  // namespace nuv::fuzz

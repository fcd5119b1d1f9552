// Tells a substitute host object which of its calls to fail, so that every
// failure path of a plug-in can be reached in a test.
#pragma once

#include <cstdint>

namespace nuv::host {

// Counts calls of one kind and says whether a given call must fail. Calls are
// numbered from 1; 0 means "never".
class CallFailure {
public:
    void FailCall(std::int32_t number) { failAt_ = number; }
    void FailFromCall(std::int32_t number) {
        failAt_ = number;
        failOnward_ = true;
    }
    void Clear() {
        failAt_ = 0;
        failOnward_ = false;
    }
    // Counts this call; true when it is to fail.
    bool Next() {
        ++calls_;
        if (failAt_ == 0) return false;
        return failOnward_ ? calls_ >= failAt_ : calls_ == failAt_;
    }
    std::int32_t Calls() const { return calls_; }

private:
    std::int32_t calls_ = 0;
    std::int32_t failAt_ = 0;
    bool failOnward_ = false;
};

}  // namespace nuv::host

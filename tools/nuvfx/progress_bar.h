// A one-line progress bar for a terminal: redrawn in place with a carriage
// return, at most ten times a second, and erased before other output.
#pragma once

#include <chrono>
#include <cstddef>
#include <ostream>

namespace nuv::nuvfx {

// The reporting thread's alone.
class ProgressBar {
public:
    ProgressBar(std::ostream& terminal, std::size_t total) : terminal_(terminal), total_(total) {}

    // Draws the bar unless it shows this already or was drawn less than a
    // tenth of a second ago (the last file is always drawn).
    void Show(std::size_t done, std::size_t failed);
    // Erases the bar; the next Show draws it again.
    void Clear();

private:
    std::ostream& terminal_;
    std::size_t total_;
    bool shown_ = false;
    std::chrono::steady_clock::time_point lastDrawn_{};
    std::size_t drawnDone_ = 0;
    std::size_t drawnFailed_ = 0;
};

}  // namespace nuv::nuvfx

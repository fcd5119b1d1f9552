#include "tools/nuvfx/progress_bar.h"

#include <string>

namespace nuv::nuvfx {
namespace {

constexpr std::size_t kBarWidth = 30;
constexpr std::size_t kLineWidth = 72;  // what Clear blanks out

}  // namespace

void ProgressBar::Show(std::size_t done, std::size_t failed) {
    const auto now = std::chrono::steady_clock::now();
    if (shown_ && ((done == drawnDone_ && failed == drawnFailed_) ||
                   (done < total_ && now - lastDrawn_ < std::chrono::milliseconds(100))))
        return;
    lastDrawn_ = now;
    drawnDone_ = done;
    drawnFailed_ = failed;
    const std::size_t filled = total_ == 0 ? kBarWidth : done * kBarWidth / total_;
    std::string line = "\r[" + std::string(filled, '#') + std::string(kBarWidth - filled, '.') + "] " +
                       std::to_string(done) + "/" + std::to_string(total_) + " files";
    if (failed != 0) line += ", " + std::to_string(failed) + " failed";
    if (line.size() < kLineWidth) line += std::string(kLineWidth - line.size(), ' ');
    terminal_ << line << std::flush;
    shown_ = true;
}

void ProgressBar::Clear() {
    if (!shown_) return;
    terminal_ << "\r" << std::string(kLineWidth, ' ') << "\r" << std::flush;
    shown_ = false;
}

}  // namespace nuv::nuvfx

#include "tests/support/reference/scan_engines.h"

#include "tests/support/reference/sloppet_candidates.h"

namespace nuv::reference {

namespace {

// Non-notes go out at once; notes are appended. Returns the first new note.
std::size_t TakeCall(std::vector<HostEvent>& history, HostEventQueue* in, HostEventQueue* out) {
    const std::size_t first = history.size();
    ForEachEvent(in, [&](const HostEvent& e) {
        if (e.kind == Note) {
            history.push_back(e);
        } else {
            out->Add(&e);
        }
    });
    return first;
}

}  // namespace

void ScanGapkeeper::OnEvents(std::int32_t, std::int32_t, HostEventQueue* in, HostEventQueue* out) {
    for (std::size_t i = TakeCall(history_, in, out); i < history_.size(); ++i) {
        gapkeeper::CorrectOverlap(history_[i], history_, settings);
        out->Add(&history_[i]);
    }
}

void ScanSloppet::OnEvents(std::int32_t, std::int32_t, HostEventQueue* in, HostEventQueue* out) {
    const sloppet::OverlapRules rules{true, true};
    for (std::size_t i = TakeCall(history_, in, out); i < history_.size(); ++i) {
        HostEvent note = history_[i];
        ScanCandidates(note, history_, window_, window_, candidates_);
        sloppet::RandomiseStart(note, window_, rules, candidates_, random_);
        sloppet::RandomiseEnd(note, window_, rules, candidates_, random_);
        sloppet::RandomiseVelocity(note, velocityRange_, random_);
        out->Add(&note);
    }
}

}  // namespace nuv::reference

#include "plugins/sloppet/sloppet_effect.h"

#include <new>

#include "plugins/sloppet/random_windows.h"

namespace nuv::sloppet {

namespace {
// Room for a typical call's candidates before the list grows.
constexpr std::size_t kInitialCandidates = 256;
}  // namespace

NuvMfx::NuvMfx() : HistoryShell(kIdentity), random_(RandomSource::ClockSeed()) {
    candidates_.reserve(kInitialCandidates);
}

void NuvMfx::UpdateWindows() {
    const std::int32_t timebase = timeService != nullptr ? timeService->GetTimebase() : 0;
    noteOnWindow = TimingWindow(timebase, ReadLocked(settingsLock, noteOnAmount));
    noteOffWindow = TimingWindow(timebase, ReadLocked(settingsLock, noteOffAmount));
}

OverlapRules NuvMfx::CurrentRules() {
    return OverlapRules{ReadLocked(settingsLock, preventSameNoteOverlap) != 0,
                        ReadLocked(settingsLock, preserveDifferentNoteOverlap) != 0};
}

void NuvMfx::RandomiseTiming(HostEvent& note, bool moveStart, bool moveEnd) {
    const OverlapRules rules = CurrentRules();
    // Only the overlap rules look at the notes around this one; without them
    // the history is not scanned.
    candidates_.clear();
    if (rules.preventSameNoteOverlap || rules.preserveDifferentNoteOverlap) {
        try {
            CollectCandidates(note, history_, noteOnWindow, noteOffWindow, candidates_);
        } catch (const std::bad_alloc&) {
            // Out of memory: the rules see the candidates collected so far.
        }
    }
    if (moveStart) RandomiseStart(note, noteOnWindow, rules, candidates_, random_);
    if (moveEnd) RandomiseEnd(note, noteOffWindow, rules, candidates_, random_);
}

void NuvMfx::RandomiseNote(HostEvent& note) {
    const bool moveStart = ReadLocked(settingsLock, noteOnEnabled) != 0;
    const bool moveEnd = ReadLocked(settingsLock, noteOffEnabled) != 0;
    if (moveStart || moveEnd) RandomiseTiming(note, moveStart, moveEnd);
    if (ReadLocked(settingsLock, velocityEnabled) != 0)
        RandomiseVelocity(note, VelocityRange(ReadLocked(settingsLock, velocityAmount)), random_);
}

HRESULT STDMETHODCALLTYPE NuvMfx::OnEvents(std::int32_t, std::int32_t, HostEventQueue* in, HostEventQueue* out) {
    if (enabled == 0) {
        history_.PassCall(in, out);
        return S_OK;
    }
    UpdateWindows();
    // Non-notes leave at once; notes are randomised after the whole call is
    // recorded.
    const std::size_t firstNew = history_.TakeCall(in, out);
    const std::vector<HostEvent>& notes = history_.Notes();
    for (std::size_t i = firstNew; i < notes.size(); ++i) {
        HostEvent note = notes[i];  // the history keeps the note as it arrived
        RandomiseNote(note);
        out->Add(&note);
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE NuvMfx::OnInput(HostDataQueue* in, HostDataQueue* out) {
    CopyData(in, out);
    return S_OK;
}

}  // namespace nuv::sloppet

// The notes of a song an engine has seen since the song position last jumped,
// in arrival order, for the engines that compare each note with the ones
// before it. Host threads only.
#pragma once

#include <cstddef>
#include <vector>

#include "framework/host_types.h"

namespace nuv {

class NoteHistory {
public:
    // Reserves room for a typical song, so the history seldom grows while
    // playing.
    NoteHistory();

    // One enabled OnEvents call: every event that is not a note goes to `out`
    // at once, in input order; each note is appended. A note there is no memory
    // for goes to `out` unchanged instead. Returns the index of the first note
    // this call appended.
    std::size_t TakeCall(HostEventQueue* in, HostEventQueue* out);

    // One disabled OnEvents call: every event goes to `out` unchanged, in input
    // order, and the notes are remembered all the same, so that switching on
    // again compares with what was played.
    void PassCall(HostEventQueue* in, HostEventQueue* out);

    void Forget() { notes_.clear(); }

    std::vector<HostEvent>& Notes() { return notes_; }
    const std::vector<HostEvent>& Notes() const { return notes_; }

private:
    // False when no memory is left for the note.
    bool Remember(const HostEvent& note) noexcept;

    std::vector<HostEvent> notes_;
};

}  // namespace nuv

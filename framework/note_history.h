// The notes of a song an engine has seen since the song position last jumped,
// in arrival order, for the engines that compare each note with the ones
// before it, with an index that finds the notes around a time without
// scanning them all. Host threads only.
#pragma once

#include <cstddef>
#include <vector>

#include "framework/history_index.h"
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

    void Forget();

    // Puts `note` in place of entry `index`, keeping the index up to date.
    void Replace(std::size_t index, const HostEvent& note);

    const std::vector<HostEvent>& Notes() const { return notes_; }
    const HistoryIndex& Index() const { return index_; }

private:
    // False when no memory is left for the note.
    bool Remember(const HostEvent& note) noexcept;

    std::vector<HostEvent> notes_;
    HistoryIndex index_;
};

}  // namespace nuv

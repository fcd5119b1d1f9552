#include "framework/note_history.h"

#include <new>

namespace nuv {

namespace {
constexpr std::size_t kInitialNotes = 4096;
}

NoteHistory::NoteHistory() {
    try {
        notes_.reserve(kInitialNotes);
    } catch (const std::bad_alloc&) {
        // The history grows note by note instead.
    }
    index_.Reserve(kInitialNotes);
}

bool NoteHistory::Remember(const HostEvent& note) noexcept {
    // The index makes room first, so that a note the history holds is always
    // in the index too.
    if (!index_.Reserve(notes_.size() + 1)) return false;
    try {
        notes_.push_back(note);
        index_.Append(notes_.size() - 1, note);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

void NoteHistory::Forget() {
    notes_.clear();
    index_.Clear();
}

void NoteHistory::Replace(std::size_t index, const HostEvent& note) {
    notes_[index] = note;
    index_.Refresh(notes_, index);
}

std::size_t NoteHistory::TakeCall(HostEventQueue* in, HostEventQueue* out) {
    const std::size_t firstNew = notes_.size();
    ForEachEvent(in, [this, out](const HostEvent& event) {
        if (event.kind != Note || !Remember(event)) out->Add(&event);
    });
    return firstNew;
}

void NoteHistory::PassCall(HostEventQueue* in, HostEventQueue* out) {
    ForEachEvent(in, [this, out](const HostEvent& event) {
        if (event.kind == Note) Remember(event);
        out->Add(&event);
    });
}

}  // namespace nuv

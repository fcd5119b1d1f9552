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
}

bool NoteHistory::Remember(const HostEvent& note) noexcept {
    try {
        notes_.push_back(note);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
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

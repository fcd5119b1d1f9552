// The shell of an engine that compares each note of a song with the notes
// before it (NuvSloppet, NuvGapkeeper): it keeps those notes in a note
// history, which it forgets whenever the song position jumps and at
// Disconnect, since what was played before no longer leads to what comes.
#pragma once

#include <vector>

#include "framework/effect_shell.h"
#include "framework/note_history.h"

namespace nuv {

class HistoryShell : public NuvMfxShell {
public:
    using NuvMfxShell::NuvMfxShell;

    // [host thread] Notes seen since the last start, loop, stop or
    // disconnect, as the engine keeps them.
    const std::vector<HostEvent>& History() const { return history_.Notes(); }

protected:
    // [host thread]
    void BeforeDisconnect() override { history_.Forget(); }
    // [host thread]
    void OnTransport() override { history_.Forget(); }

    NoteHistory history_;
};

}  // namespace nuv

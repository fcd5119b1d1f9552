#include "plugins/gapkeeper/gapkeeper_effect.h"

namespace nuv::gapkeeper {

NuvMfx::NuvMfx() : HistoryShell(kIdentity) {}

OverlapSettings NuvMfx::CurrentSettings() {
    // Read once per note, each value under the lock on its own, so a page
    // edit takes effect from the next note.
    return OverlapSettings{ReadLocked(settingsLock, sameNoteOnly) != 0, ReadLocked(settingsLock, detectionRange),
                           ReadLocked(settingsLock, noteMargin)};
}

HRESULT STDMETHODCALLTYPE NuvMfx::OnEvents(std::int32_t, std::int32_t, HostEventQueue* in, HostEventQueue* out) {
    if (enabled == 0) {
        history_.PassCall(in, out);
        return S_OK;
    }
    // The host expects the timebase to be asked for; its value is not used.
    if (timeService != nullptr) timeService->GetTimebase();
    // Non-notes leave at once; notes are corrected after the whole call is
    // recorded.
    // Each note is corrected against the history as it stands (the notes
    // before it corrected, the ones after it as they came), and its entry then
    // holds the corrected note.
    const std::size_t firstNew = history_.TakeCall(in, out);
    for (std::size_t i = firstNew; i < history_.Notes().size(); ++i) {
        HostEvent note = history_.Notes()[i];
        CorrectOverlap(note, history_, CurrentSettings());
        history_.Replace(i, note);
        out->Add(&note);
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE NuvMfx::OnInput(HostDataQueue* in, HostDataQueue* out) {
    CopyData(in, out);
    return S_OK;
}

}  // namespace nuv::gapkeeper

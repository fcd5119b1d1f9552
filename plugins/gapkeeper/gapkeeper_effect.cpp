#include "plugins/gapkeeper/gapkeeper_effect.h"

#include <new>

namespace nuv::gapkeeper {

namespace {
// Room for a typical song before the history first has to grow.
constexpr std::size_t kInitialHistory = 4096;
}

NuvMfx::NuvMfx() : NuvMfxShell(kIdentity) { history_.reserve(kInitialHistory); }

OverlapSettings NuvMfx::CurrentSettings() {
    // Read once per note, each value under the lock on its own, so a page
    // edit takes effect from the next note.
    return OverlapSettings{ReadLocked(settingsLock, sameNoteOnly) != 0, ReadLocked(settingsLock, detectionRange),
                           ReadLocked(settingsLock, noteMargin)};
}

bool NuvMfx::Remember(const HostEvent& note) {
    try {
        history_.push_back(note);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

// Host thread.
HRESULT STDMETHODCALLTYPE NuvMfx::OnEvents(std::int32_t, std::int32_t, HostEventQueue* in, HostEventQueue* out) {
    if (enabled == 0) {
        ForEachEvent(in, [this, out](const HostEvent& event) {
            if (event.kind == Note) Remember(event);
            out->Add(&event);
        });
        return S_OK;
    }
    // The host expects the timebase to be asked for; its value is not used.
    if (timeService != nullptr) timeService->GetTimebase();
    const std::size_t firstNew = history_.size();
    // Non-notes leave at once; notes are corrected after the whole call is
    // recorded. A note the history has no room for leaves unchanged.
    ForEachEvent(in, [this, out](const HostEvent& event) {
        if (event.kind != Note || !Remember(event)) out->Add(&event);
    });
    for (std::size_t i = firstNew; i < history_.size(); ++i) {
        CorrectOverlap(history_[i], history_, CurrentSettings());
        out->Add(&history_[i]);
    }
    return S_OK;
}

// Host thread.
HRESULT STDMETHODCALLTYPE NuvMfx::OnInput(HostDataQueue* in, HostDataQueue* out) {
    CopyData(in, out);
    return S_OK;
}

void NuvMfx::LoadFields(SettingsReader& in, std::uint32_t version) {
    if (version >= 1) in.Field(sameNoteOnly).Field(detectionRange).Field(noteMargin);
    if (version >= 2) in.Pair(pageWidth, pageHeight);
}

void NuvMfx::SaveFields(SettingsWriter& out) {
    out.Field(sameNoteOnly).Field(detectionRange).Field(noteMargin).Pair(pageWidth, pageHeight);
}

}  // namespace nuv::gapkeeper

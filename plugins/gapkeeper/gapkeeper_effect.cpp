#include "plugins/gapkeeper/gapkeeper_effect.h"

namespace nuv::gapkeeper {

namespace {
// Room for a typical song before the history first has to grow.
constexpr std::size_t kInitialHistory = 4096;
}

NuvMfx::NuvMfx() : NuvMfxShell(kIdentity) { history_.reserve(kInitialHistory); }

HRESULT STDMETHODCALLTYPE NuvMfx::OnStart(std::int32_t, HostEventQueue*) {
    history_.clear();
    return S_OK;
}
HRESULT STDMETHODCALLTYPE NuvMfx::OnLoop(std::int32_t, std::int32_t, HostEventQueue*) {
    history_.clear();
    return S_OK;
}
HRESULT STDMETHODCALLTYPE NuvMfx::OnStop(std::int32_t, HostEventQueue*) {
    history_.clear();
    return S_OK;
}

OverlapSettings NuvMfx::CurrentSettings() {
    // The range is the one value the page's lock guards here; the other two
    // are single aligned values read as they stand.
    return OverlapSettings{sameNoteOnly != 0, ReadLocked(settingsLock, detectionRange), noteMargin};
}

// Host thread.
HRESULT STDMETHODCALLTYPE NuvMfx::OnEvents(std::int32_t, std::int32_t, HostEventQueue* in, HostEventQueue* out) {
    if (enabled == 0) {
        ForEachEvent(in, [this, out](const HostEvent& event) {
            if (event.kind == Note) history_.push_back(event);
            out->Add(&event);
        });
        return S_OK;
    }
    if (timeService != nullptr) timeService->GetTimebase();
    const std::size_t firstNew = history_.size();
    ForEachEvent(in, [this, out](const HostEvent& event) {
        if (event.kind == Note) history_.push_back(event);
        else out->Add(&event);
    });
    const OverlapSettings settings = CurrentSettings();
    for (std::size_t i = firstNew; i < history_.size(); ++i) {
        CorrectOverlap(history_[i], history_, settings);
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

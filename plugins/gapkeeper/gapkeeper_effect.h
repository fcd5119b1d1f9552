// The NuvGapkeeper effect: removes short overlaps between notes of a song,
// comparing each note with every note seen since the last start, loop or stop.
// Live input passes unchanged.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/history_shell.h"
#include "plugins/gapkeeper/gapkeeper_ids.h"
#include "plugins/gapkeeper/overlap_correction.h"

namespace nuv::gapkeeper {

// The page's ranges of the two tick settings (a stream may hold any value),
// and a fresh effect's values.
inline constexpr std::int32_t kDetectionRangeMin = 1;
inline constexpr std::int32_t kDetectionRangeMax = 480;
inline constexpr std::int32_t kDefaultDetectionRange = 120;
inline constexpr std::int32_t kNoteMarginMin = 1;
inline constexpr std::int32_t kNoteMarginMax = 96;
inline constexpr std::int32_t kDefaultNoteMargin = 10;

class NuvMfx final : public HistoryShell {
public:
    NuvMfx();

    // [host thread]
    HRESULT STDMETHODCALLTYPE OnEvents(std::int32_t from, std::int32_t thru, HostEventQueue* in,
                                       HostEventQueue* out) override;
    // [host thread]
    HRESULT STDMETHODCALLTYPE OnInput(HostDataQueue* in, HostDataQueue* out) override;

    // Parameters; the page writes them under settingsLock.
    std::uint8_t sameNoteOnly = 0;
    std::int32_t detectionRange = kDefaultDetectionRange;
    std::int32_t noteMargin = kDefaultNoteMargin;

protected:
    // [any thread]
    void LoadFields(SettingsReader& in, std::uint32_t version) override;
    // [any thread]
    void SaveFields(SettingsWriter& out) override;

private:
    OverlapSettings CurrentSettings();
};

}  // namespace nuv::gapkeeper

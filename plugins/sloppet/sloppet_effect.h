// The NuvSloppet effect: moves note starts and ends and spreads velocities at
// random within the page's windows, optionally bent by the same-key and
// different-key overlap rules. Live input passes unchanged.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/history_shell.h"
#include "framework/random_source.h"
#include "plugins/sloppet/note_randomiser.h"
#include "plugins/sloppet/sloppet_ids.h"

namespace nuv::sloppet {

// The page's range of the three amounts (a stream may hold any value), and a
// fresh effect's amount. Timing amounts count hundredths of a quarter note.
inline constexpr std::int32_t kAmountMin = 1;
inline constexpr std::int32_t kAmountMax = 40;
inline constexpr std::uint32_t kDefaultAmount = 1;

class NuvMfx final : public HistoryShell {
public:
    NuvMfx();

    // [host thread]
    HRESULT STDMETHODCALLTYPE OnEvents(std::int32_t from, std::int32_t thru, HostEventQueue* in,
                                       HostEventQueue* out) override;
    // [host thread]
    HRESULT STDMETHODCALLTYPE OnInput(HostDataQueue* in, HostDataQueue* out) override;

    // The effect's own random source; tests seed it for reproducible output.
    RandomSource& Random() { return random_; }

    // Parameters; the page writes them under settingsLock.
    std::uint8_t noteOnEnabled = 0;
    std::uint8_t noteOffEnabled = 0;
    std::uint8_t velocityEnabled = 0;
    std::uint8_t preventSameNoteOverlap = 0;
    std::uint8_t preserveDifferentNoteOverlap = 0;
    std::uint32_t noteOnAmount = kDefaultAmount;
    std::uint32_t noteOffAmount = kDefaultAmount;
    std::uint32_t velocityAmount = kDefaultAmount;

    // Derived at the start of every enabled OnEvents call.
    std::int32_t noteOnWindow = 0;
    std::int32_t noteOffWindow = 0;

protected:
    // [any thread]
    void LoadFields(SettingsReader& in, std::uint32_t version) override;
    // [any thread]
    void SaveFields(SettingsWriter& out) override;

private:
    void UpdateWindows();
    OverlapRules CurrentRules();
    // The start and end steps, with the rules read once for both.
    void RandomiseTiming(HostEvent& note, bool moveStart, bool moveEnd);
    void RandomiseNote(HostEvent& note);
    void LoadVersion2Layout(SettingsReader& in);

    std::vector<OverlapCandidate> candidates_;  // reused from note to note
    RandomSource random_;
};

}  // namespace nuv::sloppet

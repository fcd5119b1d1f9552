// The NuvShiftwell effect: shifts the notes inside a key range by its own
// shift or by the shared value of its group, drops notes shifted out of the
// range, and can learn either end of the range from the next live note.
#pragma once

#include <cstdint>

#include "framework/effect_shell.h"
#include "plugins/shiftwell/group_table.h"
#include "plugins/shiftwell/shiftwell_ids.h"

namespace nuv::shiftwell {

enum LearnMode : std::int32_t { kLearnOff = 0, kLearnLowKey = 1, kLearnHighKey = 2 };

// The page's range of the own shift in semitones; a stream may hold any value.
inline constexpr std::int32_t kShiftMin = -24;
inline constexpr std::int32_t kShiftMax = 24;
inline constexpr std::int32_t kDefaultShift = 0;
// The note numbers a key range can take; a fresh range spans them all.
inline constexpr std::int32_t kLowestKey = 0;
inline constexpr std::int32_t kHighestKey = 127;

class NuvMfx final : public NuvMfxShell {
public:
    NuvMfx();

    // [host thread]
    HRESULT STDMETHODCALLTYPE OnEvents(std::int32_t from, std::int32_t thru, HostEventQueue* in,
                                       HostEventQueue* out) override;
    // [host thread]
    HRESULT STDMETHODCALLTYPE OnInput(HostDataQueue* in, HostDataQueue* out) override;

    // [any thread] The shift in force: the own `shift`, or the group's
    // entry; takes the settings lock for the one value.
    std::int32_t EffectiveShift();

    // Parameters; the page writes them under settingsLock. The engine reads
    // `shift` and `group` under the lock too; the key range and the learn
    // mode it reads without it, one whole value at a time.
    std::int32_t shift = kDefaultShift;
    Relaxed<std::int32_t> lowKey{kLowestKey};
    Relaxed<std::int32_t> highKey{kHighestKey};
    std::int32_t group = kNoGroup;
    Relaxed<std::int32_t> learnMode{kLearnOff};

protected:
    // [any thread]
    void LoadFields(SettingsReader& in, std::uint32_t version) override;
    // [any thread]
    void SaveFields(SettingsWriter& out) override;

private:
    // What became of a live Note On, so that its Note Off leaves with the same
    // note number even when the shift or range moved while the key was held.
    static constexpr std::int16_t kNoNoteOn = -1;
    static constexpr std::int16_t kNoteOnDropped = -2;

    // The shifted note number for `key`, or -1 when the note is dropped (its
    // result leaves the range or 0..127); keys outside the range come back
    // unchanged.
    std::int32_t ShiftedKey(std::int32_t key, std::int32_t effectiveShift) const;
    void LearnFrom(const HostData& data);
    // False when the record is to be dropped.
    bool ShiftLive(HostData& data);

    std::int16_t liveNoteOut_[16][128];
};

}  // namespace nuv::shiftwell

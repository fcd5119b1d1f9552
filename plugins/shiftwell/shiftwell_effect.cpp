#include "plugins/shiftwell/shiftwell_effect.h"

namespace nuv::shiftwell {

namespace {

bool IsNoteMessage(const HostData& data) {
    const std::uint8_t kind = MessageKind(data);
    return kind == kStatusNoteOff || kind == kStatusNoteOn;
}

}  // namespace

NuvMfx::NuvMfx() : NuvMfxShell(kIdentity) {
    for (auto& channel : liveNoteOut_)
        for (auto& key : channel) key = kNoNoteOn;
}

std::int32_t NuvMfx::EffectiveShift() {
    SectionGuard guard(settingsLock);
    // A group outside the table never indexes it: such an effect has no group.
    return IsValidGroup(group) ? GroupShift(group) : shift;
}

std::int32_t NuvMfx::ShiftedKey(std::int32_t key, std::int32_t effectiveShift) const {
    const std::int32_t low = lowKey;
    const std::int32_t high = highKey;
    if (key < low || key > high) return key;
    const std::int64_t shifted = static_cast<std::int64_t>(key) + effectiveShift;
    if (shifted < low || shifted > high) return -1;
    // A range from a damaged stream may reach past MIDI's note numbers; a note
    // shifted beyond them is dropped like one shifted out of the range.
    if (shifted < kLowestKey || shifted > kHighestKey) return -1;
    return static_cast<std::int32_t>(shifted);
}

HRESULT STDMETHODCALLTYPE NuvMfx::OnEvents(std::int32_t, std::int32_t, HostEventQueue* in, HostEventQueue* out) {
    if (learnMode != kLearnOff) return S_OK;
    // The shift is read once per call: one lock for one value, and every note
    // of the call moves by the same amount.
    const std::int32_t effectiveShift = EffectiveShift();
    ForEachEvent(in, [this, out, effectiveShift](HostEvent event) {
        if (enabled != 0 && event.kind == Note) {
            const std::int32_t key = ShiftedKey(event.number, effectiveShift);
            if (key < 0) return;
            event.number = static_cast<std::uint8_t>(key);
        }
        out->Add(&event);
    });
    return S_OK;
}

HRESULT STDMETHODCALLTYPE NuvMfx::OnInput(HostDataQueue* in, HostDataQueue* out) {
    if (learnMode != kLearnOff) {
        // Nothing is output during a learning call, even after the learn ends.
        ForEachData(in, [this](const HostData& data) { LearnFrom(data); });
        return S_OK;
    }
    ForEachData(in, [this, out](HostData data) {
        if (ShiftLive(data)) out->Add(&data);
    });
    return S_OK;
}

bool NuvMfx::ShiftLive(HostData& data) {
    if (!IsNoteMessage(data)) return true;
    std::int16_t& remembered = liveNoteOut_[MessageChannel(data)][data.data1 & 0x7F];
    if (IsNoteEnd(data) && remembered != kNoNoteOn) {
        // The end of a note whose start we saw: it leaves as its start did.
        const std::int16_t outgoing = remembered;
        remembered = kNoNoteOn;
        if (outgoing == kNoteOnDropped) return false;
        data.data1 = static_cast<std::uint8_t>(outgoing);
        return true;
    }
    std::int32_t key = data.data1;
    if (enabled != 0) key = ShiftedKey(data.data1, EffectiveShift());
    if (!IsNoteEnd(data)) remembered = key < 0 ? kNoteOnDropped : static_cast<std::int16_t>(key);
    if (key < 0) return false;
    data.data1 = static_cast<std::uint8_t>(key);
    return true;
}

void NuvMfx::LearnFrom(const HostData& data) {
    if (!IsNoteMessage(data)) return;
    if (learnMode == kLearnLowKey) {
        WriteLocked(settingsLock, lowKey, data.data1);
        WriteLocked(settingsLock, learnMode, kLearnOff);
        refreshFlag = 1;
    }
    if (learnMode == kLearnHighKey) {
        WriteLocked(settingsLock, highKey, data.data1);
        WriteLocked(settingsLock, learnMode, kLearnOff);
        refreshFlag = 1;
    }
}

}  // namespace nuv::shiftwell

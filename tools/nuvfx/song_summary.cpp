#include "tools/nuvfx/song_summary.h"

#include <cstdarg>
#include <cstdio>

namespace nuv::nuvfx {
namespace {

// Two notes may be one note before and after the effect: same channel, and
// either the same key (moved in time) or the same start (transposed).
bool Pairable(const HostEvent& before, const HostEvent& after) {
    return before.channel == after.channel && (before.number == after.number || before.time == after.time);
}

void CountKinds(const std::vector<HostEvent>& events, SongSummary& s, bool output) {
    for (const HostEvent& e : events) {
        KindCount* k = nullptr;
        switch (e.kind) {
        case Control: k = &s.controllers; break;
        case Wheel: k = &s.wheel; break;
        case KeyAft: k = &s.keyPressure; break;
        case ChanAft: k = &s.channelPressure; break;
        default: break;
        }
        if (k != nullptr) ++(output ? k->out : k->in);
    }
}

std::vector<HostEvent> NotesOf(const std::vector<HostEvent>& events) {
    std::vector<HostEvent> notes;
    for (const HostEvent& e : events)
        if (e.kind == Note) notes.push_back(e);
    return notes;
}

void CompareNotes(const HostEvent& before, const HostEvent& after, SongSummary& s) {
    const std::int64_t endBefore = static_cast<std::int64_t>(before.time) + before.duration;
    const std::int64_t endAfter = static_cast<std::int64_t>(after.time) + after.duration;
    if (before.time != after.time || endBefore != endAfter) ++s.notesMoved;
    if (before.number != after.number) ++s.notesTransposed;
    if (before.value != after.value) ++s.velocitiesChanged;
}

}  // namespace

void SongSummary::AddSpan(const std::vector<HostEvent>& in, const std::vector<HostEvent>& out) {
    CountKinds(in, *this, false);
    CountKinds(out, *this, true);
    const std::vector<HostEvent> before = NotesOf(in);
    const std::vector<HostEvent> after = NotesOf(out);
    notesIn += static_cast<std::int64_t>(before.size());
    notesOut += static_cast<std::int64_t>(after.size());
    std::size_t i = 0;
    for (std::size_t j = 0; j < after.size(); ++j) {
        // Skip notes that cannot be this one while enough are left to pair the rest.
        while (i < before.size() && !Pairable(before[i], after[j]) && before.size() - i > after.size() - j) {
            ++notesDropped;
            ++i;
        }
        if (i < before.size()) {
            CompareNotes(before[i++], after[j], *this);
        } else {
            ++notesAdded;
        }
    }
    notesDropped += static_cast<std::int64_t>(before.size() - i);
}

namespace {

std::string Line(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Line(const char* format, ...) {
    char text[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return std::string(text) + "\n";
}

std::string KindText(const char* name, const KindCount& k) {
    char text[128];
    const long long added = k.out > k.in ? k.out - k.in : 0;
    const long long removed = k.in > k.out ? k.in - k.out : 0;
    std::snprintf(text, sizeof text, "%s %lld in, %lld out", name, static_cast<long long>(k.in),
                  static_cast<long long>(k.out));
    std::string out = text;
    if (added) out += " (" + std::to_string(added) + " added)";
    if (removed) out += " (" + std::to_string(removed) + " removed)";
    return out;
}

}  // namespace

std::string FormatSummary(const SongFacts& f, const SongSummary& s) {
    std::string out = Line("%s: %s -> %s", f.effect.c_str(), f.input.c_str(),
                           f.output.empty() ? "(dry run, nothing written)" : f.output.c_str());
    out += Line("  song: format %d, %zu tracks (%lld played, %lld without channel events copied), %d ticks per "
                "quarter, %.1f s in, %.1f s out, %zu tempo events",
                f.format, f.tracks, static_cast<long long>(s.tracksPlayed), static_cast<long long>(s.tracksCopied),
                f.timebase, f.secondsIn, f.secondsOut, f.tempoEvents);
    if (!f.seed.empty()) out += Line("  random numbers: %s", f.seed.c_str());
    out += Line("  notes: %lld in, %lld out; %lld moved, %lld transposed, %lld velocities changed, %lld dropped, "
                "%lld added",
                static_cast<long long>(s.notesIn), static_cast<long long>(s.notesOut),
                static_cast<long long>(s.notesMoved), static_cast<long long>(s.notesTransposed),
                static_cast<long long>(s.velocitiesChanged), static_cast<long long>(s.notesDropped),
                static_cast<long long>(s.notesAdded));
    out += "  " + KindText("controllers", s.controllers) + "; " + KindText("wheel", s.wheel) + "; " +
           KindText("key pressure", s.keyPressure) + "; " + KindText("channel pressure", s.channelPressure) + "\n";
    out += Line("  kept unchanged: %lld other events (programs, meta, system exclusive)",
                static_cast<long long>(s.keptEvents));
    if (s.unendedNotes || s.unmatchedNoteOffs)
        out += Line("  input: %lld notes without an end (ended with their track), %lld note ends without a note "
                    "(kept)",
                    static_cast<long long>(s.unendedNotes), static_cast<long long>(s.unmatchedNoteOffs));
    if (s.clampedTimes || s.clampedValues)
        out += Line("  output: %lld events moved from before the start to tick 0, %lld values brought into range",
                    static_cast<long long>(s.clampedTimes), static_cast<long long>(s.clampedValues));
    return out;
}

}  // namespace nuv::nuvfx

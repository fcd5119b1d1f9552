#include "tools/nuvfx/song_summary.h"

#include <iomanip>
#include <sstream>

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

SongSummary& SongSummary::operator+=(const SongSummary& o) {
    notesIn += o.notesIn;
    notesOut += o.notesOut;
    notesDropped += o.notesDropped;
    notesAdded += o.notesAdded;
    notesMoved += o.notesMoved;
    notesTransposed += o.notesTransposed;
    velocitiesChanged += o.velocitiesChanged;
    for (auto [mine, theirs] : {std::pair{&controllers, &o.controllers}, std::pair{&wheel, &o.wheel},
                                std::pair{&keyPressure, &o.keyPressure},
                                std::pair{&channelPressure, &o.channelPressure}}) {
        mine->in += theirs->in;
        mine->out += theirs->out;
    }
    keptEvents += o.keptEvents;
    tracksPlayed += o.tracksPlayed;
    tracksCopied += o.tracksCopied;
    unendedNotes += o.unendedNotes;
    unmatchedNoteOffs += o.unmatchedNoteOffs;
    clampedTimes += o.clampedTimes;
    clampedValues += o.clampedValues;
    return *this;
}

namespace {

std::string KindText(const char* name, const KindCount& k) {
    std::ostringstream out;
    out << name << " " << k.in << " in, " << k.out << " out";
    if (k.out > k.in) out << " (" << k.out - k.in << " added)";
    if (k.in > k.out) out << " (" << k.in - k.out << " removed)";
    return out.str();
}

// The lines of one effect's counts, each after `indent`.
void PutCounts(std::ostream& out, const std::string& indent, const StageReport& stage) {
    const SongSummary& s = stage.total;
    if (!stage.seed.empty()) out << indent << "random numbers: " << stage.seed << "\n";
    out << indent << "notes: " << s.notesIn << " in, " << s.notesOut << " out; " << s.notesMoved << " moved, "
        << s.notesTransposed << " transposed, " << s.velocitiesChanged << " velocities changed, " << s.notesDropped
        << " dropped, " << s.notesAdded << " added\n";
    out << indent << KindText("controllers", s.controllers) << "; " << KindText("wheel", s.wheel) << "; "
        << KindText("key pressure", s.keyPressure) << "; " << KindText("channel pressure", s.channelPressure) << "\n";
    out << indent << "kept unchanged: " << s.keptEvents << " other events (programs, meta, system exclusive)\n";
    if (s.unendedNotes || s.unmatchedNoteOffs)
        out << indent << "input: " << s.unendedNotes << " notes without an end (ended with their track), "
            << s.unmatchedNoteOffs << " note ends without a note (kept)\n";
    if (s.clampedTimes || s.clampedValues)
        out << indent << "output: " << s.clampedTimes << " events moved from before the start to tick 0, "
            << s.clampedValues << " values brought into range\n";
}

}  // namespace

std::string FormatSummary(const SongFacts& f, const std::vector<StageReport>& stages) {
    std::ostringstream out;
    out << std::fixed << std::setprecision(1);
    std::string names;
    for (const StageReport& stage : stages) names += (names.empty() ? "" : " + ") + stage.effect;
    out << names << ": " << f.input << " -> " << (f.output.empty() ? "(dry run, nothing written)" : f.output) << "\n";
    const SongSummary first = stages.empty() ? SongSummary{} : stages.front().total;
    out << "  song: format " << f.format << ", " << f.tracks << " tracks (" << first.tracksPlayed << " played, "
        << first.tracksCopied << " without channel events copied), " << f.timebase << " ticks per quarter, "
        << f.secondsIn << " s in, " << f.secondsOut << " s out, " << f.tempoEvents << " tempo events\n";
    if (stages.size() == 1) {
        PutCounts(out, "  ", stages.front());
        return out.str();
    }
    for (std::size_t i = 0; i < stages.size(); ++i) {
        out << "  " << i + 1 << ". " << stages[i].effect << "\n";
        PutCounts(out, "     ", stages[i]);
    }
    return out.str();
}

}  // namespace nuv::nuvfx

#include "tools/nuvfx/roll_notes.h"

#include <algorithm>
#include <map>
#include <tuple>

#include "tools/nuvfx/track_events.h"

namespace nuv::nuvfx {
namespace {

constexpr std::int64_t kCostPerSemitone = 8;

RollSeries& SeriesFor(std::map<std::tuple<int, int, int>, std::size_t>& index, std::vector<RollSeries>& series,
                      SeriesKind kind, std::uint8_t channel, std::uint8_t number) {
    const auto key = std::make_tuple(static_cast<int>(kind), int{channel}, int{number});
    auto found = index.find(key);
    if (found == index.end()) {
        found = index.emplace(key, series.size()).first;
        series.push_back({kind, channel, number, {}});
    }
    return series[found->second];
}

std::uint32_t Clamped(std::int64_t tick) { return static_cast<std::uint32_t>(std::clamp<std::int64_t>(tick, 0, smf::kLongestTrack)); }

}  // namespace

RollSong CollectRoll(const smf::File& song) {
    RollSong roll;
    std::map<std::tuple<int, int, int>, std::size_t> seriesIndex;
    for (const smf::Track& track : song.tracks) {
        const SplitTrack split = Split(track);
        roll.endTick = std::max(roll.endTick, split.LastTick());
        for (const HostEvent& e : split.filterable) {
            const std::uint8_t channel = static_cast<std::uint8_t>(e.channel & 0x0F);
            const std::uint32_t tick = Clamped(e.time);
            switch (e.kind) {
            case Note:
                roll.notes.push_back({channel, static_cast<std::uint8_t>(e.number & 0x7F),
                                      static_cast<std::uint8_t>(e.value & 0x7F), tick,
                                      Clamped(std::int64_t{e.time} + e.duration)});
                break;
            case Control:
                SeriesFor(seriesIndex, roll.series, SeriesKind::Controller, channel, e.number)
                    .points.emplace_back(tick, e.value);
                break;
            case KeyAft:
                SeriesFor(seriesIndex, roll.series, SeriesKind::KeyPressure, channel, 0).points.emplace_back(tick, e.value);
                break;
            case ChanAft:
                SeriesFor(seriesIndex, roll.series, SeriesKind::ChannelPressure, channel, 0)
                    .points.emplace_back(tick, e.value);
                break;
            case Wheel:
                SeriesFor(seriesIndex, roll.series, SeriesKind::Wheel, channel, 0).points.emplace_back(tick, WheelValue(e));
                break;
            default: break;
            }
        }
    }
    std::stable_sort(roll.notes.begin(), roll.notes.end(), [](const RollNote& a, const RollNote& b) {
        return std::tie(a.start, a.key) < std::tie(b.start, b.key);
    });
    for (RollSeries& s : roll.series)
        std::stable_sort(s.points.begin(), s.points.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    return roll;
}

namespace {

auto Identity(const RollNote& n) { return std::make_tuple(n.channel, n.key, n.start, n.end, n.velocity); }

struct Candidate {
    std::int64_t cost;
    std::int32_t after;
    std::int32_t before;
    bool operator<(const Candidate& o) const { return std::tie(cost, after, before) < std::tie(o.cost, o.after, o.before); }
};

std::int64_t Distance(std::uint32_t a, std::uint32_t b) { return a > b ? std::int64_t{a} - b : std::int64_t{b} - a; }

// Indices of `notes` not yet paired, ordered by `less`.
template <class Less>
std::vector<std::int32_t> Unpaired(const std::vector<RollNote>& notes, const std::vector<bool>& paired, Less less) {
    std::vector<std::int32_t> out;
    for (std::size_t i = 0; i < notes.size(); ++i)
        if (!paired[i]) out.push_back(static_cast<std::int32_t>(i));
    std::stable_sort(out.begin(), out.end(), [&](std::int32_t a, std::int32_t b) { return less(notes[a], notes[b]); });
    return out;
}

// For every unpaired note of `after`, the unpaired notes of `before` from
// the first one not below `lowest(after note)` in the order `less`, until
// `beyond(before note, after note)`, each with its cost.
template <class Less, class Lowest, class Beyond, class Cost>
void AddCandidates(const std::vector<RollNote>& before, const std::vector<bool>& pairedBefore,
                   const std::vector<RollNote>& after, const std::vector<bool>& pairedAfter, Less less, Lowest lowest,
                   Beyond beyond, Cost cost, std::vector<Candidate>& out) {
    const std::vector<std::int32_t> b = Unpaired(before, pairedBefore, less);
    for (std::int32_t a : Unpaired(after, pairedAfter, less)) {
        const RollNote probe = lowest(after[a]);
        auto it = std::lower_bound(b.begin(), b.end(), probe,
                                   [&](std::int32_t x, const RollNote& p) { return less(before[x], p); });
        for (; it != b.end() && !beyond(before[*it], after[a]); ++it) out.push_back({cost(before[*it], after[a]), a, *it});
    }
}

std::uint8_t ChangesBetween(const RollNote& b, const RollNote& a) {
    std::uint8_t changes = 0;
    if (b.start != a.start || b.end != a.end) changes |= kMoved;
    if (b.key != a.key) changes |= kTransposed;
    if (b.velocity != a.velocity) changes |= kVelocityChanged;
    return changes;
}

}  // namespace

NoteDiff MatchNotes(const std::vector<RollNote>& before, const std::vector<RollNote>& after, std::uint32_t window) {
    NoteDiff diff;
    std::vector<bool> pairedBefore(before.size()), pairedAfter(after.size());
    auto pair = [&](std::int32_t b, std::int32_t a) {
        pairedBefore[b] = pairedAfter[a] = true;
        diff.pairs.push_back({b, a, ChangesBetween(before[b], after[a])});
    };

    // Identical notes, in order.
    {
        auto less = [](const RollNote& x, const RollNote& y) { return Identity(x) < Identity(y); };
        const std::vector<std::int32_t> b = Unpaired(before, pairedBefore, less);
        const std::vector<std::int32_t> a = Unpaired(after, pairedAfter, less);
        std::size_t i = 0, j = 0;
        while (i < b.size() && j < a.size()) {
            if (less(before[b[i]], after[a[j]])) {
                ++i;
            } else if (less(after[a[j]], before[b[i]])) {
                ++j;
            } else {
                pair(b[i++], a[j++]);
            }
        }
    }

    std::vector<Candidate> candidates;
    // The same key, its start moved by at most `window`.
    AddCandidates(
        before, pairedBefore, after, pairedAfter,
        [](const RollNote& x, const RollNote& y) {
            return std::tie(x.channel, x.key, x.start) < std::tie(y.channel, y.key, y.start);
        },
        [window](const RollNote& a) {
            RollNote probe = a;
            probe.start = a.start > window ? a.start - window : 0;
            return probe;
        },
        [window](const RollNote& b, const RollNote& a) {
            return b.channel != a.channel || b.key != a.key || Distance(b.start, a.start) > window;
        },
        [](const RollNote& b, const RollNote& a) { return Distance(b.start, a.start) + Distance(b.end, a.end); },
        candidates);
    // Another key, starting and ending alike.
    AddCandidates(
        before, pairedBefore, after, pairedAfter,
        [](const RollNote& x, const RollNote& y) {
            return std::tie(x.channel, x.start, x.end, x.key) < std::tie(y.channel, y.start, y.end, y.key);
        },
        [](const RollNote& a) {
            RollNote probe = a;
            probe.key = 0;
            return probe;
        },
        [](const RollNote& b, const RollNote& a) {
            return b.channel != a.channel || b.start != a.start || b.end != a.end;
        },
        [](const RollNote& b, const RollNote& a) { return kCostPerSemitone * Distance(b.key, a.key); }, candidates);
    std::sort(candidates.begin(), candidates.end());
    for (const Candidate& c : candidates)
        if (!pairedBefore[c.before] && !pairedAfter[c.after]) pair(c.before, c.after);

    for (std::size_t i = 0; i < before.size(); ++i)
        if (!pairedBefore[i]) diff.pairs.push_back({static_cast<std::int32_t>(i), -1, 0});
    for (std::size_t i = 0; i < after.size(); ++i)
        if (!pairedAfter[i]) diff.pairs.push_back({-1, static_cast<std::int32_t>(i), 0});

    for (const NotePair& p : diff.pairs) {
        ChangeCounts& c = diff.counts;
        if (p.after < 0) ++c.dropped;
        else if (p.before < 0) ++c.added;
        else if (p.changes == 0) ++c.unchanged;
        if (p.changes & kMoved) ++c.moved;
        if (p.changes & kTransposed) ++c.transposed;
        if (p.changes & kVelocityChanged) ++c.velocityChanged;
    }
    return diff;
}

}  // namespace nuv::nuvfx

#include "tools/nuvfx/piano_roll.h"

#include <algorithm>
#include <cmath>

#include "tools/nuvfx/parameter_value.h"
#include "tools/nuvfx/roll_layout.h"
#include "tools/nuvfx/svg_writer.h"

namespace nuv::nuvfx {
namespace {

// Soft to loud: eight steps of sixteen velocities each.
constexpr const char* kVelocityColours[8] = {"#9ecae1", "#6baed6", "#4292c6", "#2171b5",
                                             "#6a51a3", "#a0348f", "#cb181d", "#7f0010"};
constexpr const char* kSeriesColours[6] = {"#1c7ed6", "#e8590c", "#2f9e44", "#ae3ec9", "#0c8599", "#f59f00"};
constexpr const char* kWheelColour = "#343a40";
constexpr const char* kPressureColour = "#868e96";

constexpr const char* kMovedColour = "#f08c00";
constexpr const char* kTransposedColour = "#ae3ec9";
constexpr const char* kVelocityColour = "#212529";
constexpr const char* kDroppedColour = "#e03131";
constexpr const char* kAddedColour = "#2f9e44";
constexpr const char* kGhostColour = "#868e96";

constexpr const char* kSmallText = "font-size=\"10\" fill=\"#495057\"";
constexpr double kShortestNote = 1.0;  // pixels, so that every note shows
constexpr int kMostSeriesNames = 8;

std::size_t VelocityStep(std::uint8_t velocity) { return std::min<std::size_t>(7, velocity > 0 ? (velocity - 1u) / 16u : 0u); }

std::string Stroke(const char* colour, double width, bool dashed) {
    return std::string("fill=\"none\" stroke=\"") + colour + "\" stroke-width=\"" + SvgNumber(width) + "\"" +
           (dashed ? " stroke-dasharray=\"3 2\"" : "");
}

// A note's box in a panel, with the times of `timePanel`'s song.
void AddNoteBox(SvgPath& path, const RollLayout& layout, std::size_t panel, std::size_t timePanel, const RollNote& n) {
    const double x = layout.X(timePanel, n.start);
    const double width = std::max(kShortestNote, layout.X(timePanel, n.end) - x);
    path.Rectangle(x, layout.KeyTop(panel, n.key), width, layout.KeyHeight());
}

void DrawKeyRows(SvgDocument& svg, const RollLayout& layout, std::size_t panel) {
    svg.Rectangle(layout.Left(), layout.RollTop(panel), layout.Right() - layout.Left(),
                  layout.RollBottom(panel) - layout.RollTop(panel), "fill=\"#ffffff\" stroke=\"#ced4da\"");
    SvgPath black, octaves;
    for (int key = layout.LowKey(); key <= layout.HighKey(); ++key) {
        const int step = key % 12;
        const double top = layout.KeyTop(panel, key);
        if (step == 1 || step == 3 || step == 6 || step == 8 || step == 10)
            black.Rectangle(layout.Left(), top, layout.Right() - layout.Left(), layout.KeyHeight());
        if (step == 0) {
            octaves.HorizontalLine(layout.Left(), layout.Right(), top + layout.KeyHeight());
            svg.Text(layout.Left() - 4, top + layout.KeyHeight(), NoteName(key), std::string(kSmallText) + " text-anchor=\"end\"");
        }
    }
    svg.Path(black, "fill=\"#eef0f3\"");
    svg.Path(octaves, Stroke("#ced4da", 1, false));
}

// Bar starts: each time signature holds from its tick (a change that falls
// inside a bar starts a new one there); 4/4 until the first.
std::vector<std::uint32_t> BarStarts(const smf::File& song, std::uint32_t endTick) {
    std::vector<std::pair<std::uint32_t, std::uint32_t>> signatures;  // tick, ticks per bar
    for (const smf::Track& track : song.tracks) {
        for (const smf::Event& e : track.events) {
            if (!e.IsMeta() || e.data1 != 0x58 || e.bytes.size() < 2) continue;
            const std::uint64_t ticks = (std::uint64_t{e.bytes[0]} * song.division * 4) >> std::min<int>(e.bytes[1], 31);
            signatures.emplace_back(e.tick, static_cast<std::uint32_t>(std::clamp<std::uint64_t>(ticks, 1, smf::kLongestTrack)));
        }
        if (song.format == 2) break;
    }
    std::stable_sort(signatures.begin(), signatures.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::uint32_t> bars;
    std::uint32_t perBar = static_cast<std::uint32_t>(song.division) * 4;
    std::size_t next = 0;
    std::uint64_t tick = 0;
    constexpr std::size_t kMostBars = 100000;
    while (tick <= endTick && bars.size() < kMostBars) {
        while (next < signatures.size() && signatures[next].first <= tick) perBar = signatures[next++].second;
        bars.push_back(static_cast<std::uint32_t>(tick));
        std::uint64_t following = tick + perBar;
        if (next < signatures.size() && signatures[next].first < following) following = signatures[next].first;
        tick = following;
    }
    return bars;
}

void DrawBars(SvgDocument& svg, const RollLayout& layout, std::size_t panel, const smf::File& song,
              std::uint32_t endTick) {
    SvgPath lines;
    double lastLine = -1e9, lastLabel = -1e9;
    const std::vector<std::uint32_t> bars = BarStarts(song, endTick);
    for (std::size_t i = 0; i < bars.size(); ++i) {
        const double x = layout.X(panel, bars[i]);
        if (x - lastLine >= 3) {
            lines.VerticalLine(x, layout.RollTop(panel), layout.LaneBottom(panel));
            lastLine = x;
        }
        if (x - lastLabel >= 32) {
            svg.Text(x + 2, layout.RollTop(panel) - 4, std::to_string(i + 1), kSmallText);
            lastLabel = x;
        }
    }
    svg.Path(lines, Stroke("#adb5bd", 0.6, false));
}

void DrawSecondsAxis(SvgDocument& svg, const RollLayout& layout, std::size_t panel) {
    static const int kSteps[] = {1, 2, 5, 10, 15, 30, 60, 120, 300, 600, 1800, 3600};
    int step = kSteps[0];
    for (int s : kSteps) {
        step = s;
        if (s * layout.PixelsPerSecond() >= 56) break;
    }
    const double y = layout.LaneBottom(panel) + 12;
    for (int s = 0; layout.Left() + s * layout.PixelsPerSecond() <= layout.Right(); s += step) {
        const std::string text = std::to_string(s / 60) + ":" + (s % 60 < 10 ? "0" : "") + std::to_string(s % 60);
        svg.Text(layout.Left() + s * layout.PixelsPerSecond(), y, text, std::string(kSmallText) + " text-anchor=\"middle\"");
    }
}

void DrawNotes(SvgDocument& svg, const RollLayout& layout, std::size_t panel, const std::vector<RollNote>& notes) {
    SvgPath steps[8];
    for (const RollNote& n : notes) AddNoteBox(steps[VelocityStep(n.velocity)], layout, panel, panel, n);
    for (std::size_t i = 0; i < 8; ++i) svg.Path(steps[i], std::string("fill=\"") + kVelocityColours[i] + "\"");
}

std::string SeriesName(const RollSeries& s) {
    const std::string channel = " ch" + std::to_string(s.channel + 1);
    switch (s.kind) {
    case SeriesKind::Controller: return "CC" + std::to_string(s.number) + channel;
    case SeriesKind::Wheel: return "wheel" + channel;
    case SeriesKind::KeyPressure: return "key pressure" + channel;
    case SeriesKind::ChannelPressure: return "pressure" + channel;
    }
    return {};
}

const char* SeriesColour(const RollSeries& s) {
    switch (s.kind) {
    case SeriesKind::Controller: return kSeriesColours[s.number % 6];
    case SeriesKind::Wheel: return kWheelColour;
    default: return kPressureColour;
    }
}

// A series as steps: each value holds until the next. Values that fall on the
// same half pixel keep only the last, so a dense controller costs no more than
// the lane is wide.
void DrawSeries(SvgDocument& svg, const RollLayout& layout, std::size_t panel, const RollSeries& s,
                std::uint32_t endTick) {
    const double top = layout.LaneTop(panel) + 2, bottom = layout.LaneBottom(panel) - 2;
    auto y = [&](std::int32_t v) {
        if (s.kind == SeriesKind::Wheel) return (top + bottom) / 2 - std::clamp(v, -8192, 8191) / 8192.0 * (bottom - top) / 2;
        return bottom - std::clamp(v, 0, 127) / 127.0 * (bottom - top);
    };
    std::vector<std::pair<double, double>> steps;
    for (const auto& [tick, value] : s.points) {
        const double x = layout.X(panel, tick), vy = y(value);
        if (!steps.empty() && x - steps.back().first < 0.5) {
            steps.back().second = vy;
        } else if (steps.empty() || steps.back().second != vy) {
            steps.emplace_back(x, vy);
        }
    }
    if (steps.empty()) return;
    SvgPath path;
    path.MoveTo(steps.front().first, steps.front().second);
    for (std::size_t i = 1; i < steps.size(); ++i) {
        path.HorizontalTo(steps[i].first);
        path.VerticalTo(steps[i].second);
    }
    path.HorizontalTo(std::max(layout.X(panel, endTick), steps.back().first));
    svg.Path(path, Stroke(SeriesColour(s), 1.2, false));
}

void DrawLane(SvgDocument& svg, const RollLayout& layout, std::size_t panel, const RollSong& roll) {
    const double top = layout.LaneTop(panel), bottom = layout.LaneBottom(panel);
    svg.Rectangle(layout.Left(), top, layout.Right() - layout.Left(), bottom - top, "fill=\"#f8f9fa\" stroke=\"#ced4da\"");
    svg.Text(layout.Left() - 4, top + 10, "ctrl", std::string(kSmallText) + " text-anchor=\"end\"");
    bool wheel = false;
    for (const RollSeries& s : roll.series) wheel = wheel || s.kind == SeriesKind::Wheel;
    if (wheel) {
        SvgPath centre;
        centre.HorizontalLine(layout.Left(), layout.Right(), (top + bottom) / 2);
        svg.Path(centre, Stroke("#ced4da", 1, true));
    }
    double x = layout.Left();
    int named = 0;
    for (const RollSeries& s : roll.series) {
        DrawSeries(svg, layout, panel, s, roll.endTick);
        if (named++ < kMostSeriesNames) {
            const std::string name = named == kMostSeriesNames && roll.series.size() > kMostSeriesNames ? "..." : SeriesName(s);
            svg.Text(x, top - 3, name, std::string("font-size=\"9\" fill=\"") + SeriesColour(s) + "\"");
            x += 5.5 * static_cast<double>(name.size()) + 10;
        }
    }
}

void DrawPanel(SvgDocument& svg, const RollLayout& layout, std::size_t panel, const smf::File& song,
               const RollSong& roll, const std::string& label) {
    if (!label.empty())
        svg.Text(layout.Left() - 44, layout.PanelTop(panel) + 11, label, "font-size=\"11\" font-weight=\"bold\" fill=\"#212529\"");
    DrawKeyRows(svg, layout, panel);
    DrawLane(svg, layout, panel, roll);
    DrawBars(svg, layout, panel, song, roll.endTick);
    DrawSecondsAxis(svg, layout, panel);
    DrawNotes(svg, layout, panel, roll.notes);
}

void DrawVelocityLegend(SvgDocument& svg, double x, double y) {
    svg.Text(x, y + 9, "velocity 1", kSmallText);
    x += 52;
    for (std::size_t i = 0; i < 8; ++i) svg.Rectangle(x + 12.0 * static_cast<double>(i), y, 12, 10, std::string("fill=\"") + kVelocityColours[i] + "\"");
    svg.Text(x + 100, y + 9, "127", kSmallText);
}

struct ChangeMark {
    const char* colour;
    const char* name;
    std::int64_t count;
};

void DrawChangeLegend(SvgDocument& svg, double x, double y, const ChangeCounts& c) {
    const ChangeMark marks[] = {{kMovedColour, "moved", c.moved},
                                {kTransposedColour, "transposed", c.transposed},
                                {kVelocityColour, "velocity changed", c.velocityChanged},
                                {kDroppedColour, "dropped", c.dropped},
                                {kAddedColour, "added", c.added}};
    for (const ChangeMark& m : marks) {
        svg.Rectangle(x, y, 14, 9, Stroke(m.colour, 1.5, false));
        const std::string text = std::string(m.name) + " " + std::to_string(m.count);
        svg.Text(x + 18, y + 9, text, kSmallText);
        x += 26 + 6.0 * static_cast<double>(text.size());
    }
    svg.Rectangle(x, y, 14, 9, Stroke(kGhostColour, 1.2, true));
    svg.Text(x + 18, y + 9, "where a changed note was", kSmallText);
}

const char* MarkColour(const NotePair& p) {
    if (p.before < 0) return kAddedColour;
    if (p.after < 0) return kDroppedColour;
    if (p.changes & kTransposed) return kTransposedColour;
    if (p.changes & kMoved) return kMovedColour;
    if (p.changes & kVelocityChanged) return kVelocityColour;
    return nullptr;
}

// Outlines around every changed note in both panels, in the colour of its
// change, and dashed outlines in the after panel where a moved, transposed
// or dropped note was.
void DrawChanges(SvgDocument& svg, const RollLayout& layout, const RollSong& before, const RollSong& after,
                 const NoteDiff& diff) {
    const char* colours[] = {kAddedColour, kDroppedColour, kTransposedColour, kMovedColour, kVelocityColour};
    SvgPath outlines[5];
    SvgPath ghosts, droppedGhosts;
    for (const NotePair& p : diff.pairs) {
        const char* colour = MarkColour(p);
        if (colour == nullptr) continue;
        SvgPath& outline = outlines[std::find(std::begin(colours), std::end(colours), colour) - std::begin(colours)];
        if (p.before >= 0) AddNoteBox(outline, layout, 0, 0, before.notes[p.before]);
        if (p.after >= 0) AddNoteBox(outline, layout, 1, 1, after.notes[p.after]);
        if (p.before >= 0 && (p.after < 0 || (p.changes & (kMoved | kTransposed))))
            AddNoteBox(p.after < 0 ? droppedGhosts : ghosts, layout, 1, 0, before.notes[p.before]);
    }
    svg.Path(ghosts, Stroke(kGhostColour, 1, true));
    svg.Path(droppedGhosts, Stroke(kDroppedColour, 1, true));
    for (std::size_t i = 0; i < 5; ++i) svg.Path(outlines[i], Stroke(colours[i], 1.5, false));
}

}  // namespace

std::string SongRollSvg(const smf::File& song, const std::string& name) {
    const RollSong roll = CollectRoll(song);
    const RollLayout layout({&song}, {&roll});
    SvgDocument svg(layout.Width(), layout.Height(), name);
    svg.Text(layout.Left(), 20, name, "font-size=\"14\" font-weight=\"bold\" fill=\"#212529\"");
    svg.Text(layout.Left(), 38, std::to_string(roll.notes.size()) + " notes", kSmallText);
    DrawVelocityLegend(svg, layout.Left() + 90, 29);
    DrawPanel(svg, layout, 0, song, roll, "");
    return svg.Finish();
}

std::string ComparisonRollSvg(const smf::File& before, const std::string& beforeName, const smf::File& after,
                              const std::string& afterName, ChangeCounts* counts) {
    const RollSong rollBefore = CollectRoll(before), rollAfter = CollectRoll(after);
    const RollLayout layout({&before, &after}, {&rollBefore, &rollAfter});
    const NoteDiff diff = MatchNotes(rollBefore.notes, rollAfter.notes, 2u * before.division);
    if (counts != nullptr) *counts = diff.counts;
    const std::string title = beforeName + " -> " + afterName;
    SvgDocument svg(layout.Width(), layout.Height(), title);
    svg.Text(layout.Left(), 20, title, "font-size=\"14\" font-weight=\"bold\" fill=\"#212529\"");
    DrawVelocityLegend(svg, layout.Left(), 29);
    DrawChangeLegend(svg, layout.Left() + 190, 29, diff.counts);
    DrawPanel(svg, layout, 0, before, rollBefore, "before");
    DrawPanel(svg, layout, 1, after, rollAfter, "after");
    DrawChanges(svg, layout, rollBefore, rollAfter, diff);
    return svg.Finish();
}

}  // namespace nuv::nuvfx

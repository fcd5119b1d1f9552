// The arithmetic of the range slider, apart from any window: where its two
// thumbs and the span between them lie, which part a point hits, and the span
// after a drag step or an arrow key. Coordinates run along the layout axis
// ("along") and across it; every span it answers keeps
// minimum <= low <= high <= maximum, but for EachWithin, which keeps an
// inverted pair inverted. Plain C++, any thread.
#pragma once

#include <cstdint>
#include <optional>

namespace nuv::kop {

struct Span {
    float low = 0.0f;
    float high = 1.0f;
};

struct SpanRange {
    float minimum = 0.0f;
    float maximum = 1.0f;
};

// A rectangle in along/across coordinates.
struct AxisRect {
    float along = 0.0f;
    float across = 0.0f;
    float length = 0.0f;     // along the axis
    float thickness = 0.0f;  // across it
    // Half-open: the far edges belong to the next rectangle.
    bool Contains(float a, float c) const {
        return a >= along && a < along + length && c >= across && c < across + thickness;
    }
    float CentreAlong() const { return along + length / 2.0f; }
    float CentreAcross() const { return across + thickness / 2.0f; }
};

enum RangePart : std::int32_t {
    kNoPart = -1,
    kLowThumb = 0,
    kHighThumb = 1,
    kSpanPart = 2,
};

// The thumbs and span for a control `length` along and `thickness` across:
// each thumb is thickness / 3 long and the whole thickness wide; the track
// (length - 2 thumbs) carries the values; the span fills the space between
// the thumbs.
struct RangeLayout {
    float thumb = 0.0f;
    float track = 0.0f;
    AxisRect lowThumb;
    AxisRect highThumb;
    AxisRect span;
};

RangeLayout LayOut(const Span& span, const SpanRange& range, float length, float thickness);

// The part under (along, across): the low thumb, then the high thumb, then
// the span; kNoPart elsewhere.
RangePart HitPart(const RangeLayout& layout, float along, float across);

// The span after dragging `part` so that its centre lies at `centre` along
// the axis. The low end stays within [minimum, high], the high end within
// [low, maximum]; the span keeps its width, moved back inside the range, and
// moves only while it is narrower than the whole range.
Span Dragged(const Span& span, RangePart part, float centre, const SpanRange& range, const RangeLayout& layout);

// The span after an arrow key: one step is one pixel of the track. Both ends
// move (`increase` up, else down) unless `widthOnly`, when the high end moves
// alone. Ends sit on whole steps. Nothing when the move would leave
// minimum <= low <= high <= maximum, or when the step is 0.
std::optional<Span> KeyStepped(const Span& span, const SpanRange& range, float track, bool increase,
                               bool widthOnly);

// Raises low to the minimum, then high to low; lowers high to the maximum,
// then low to high.
Span Normalised(Span span, const SpanRange& range);

// Each end brought within the range on its own, their order left as it is:
// an inverted pair (low above high) stays inverted, and LayOut gives it no
// span between the thumbs.
Span EachWithin(Span span, const SpanRange& range);

}  // namespace nuv::kop

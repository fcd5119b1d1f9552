#include "toolkit/range_span.h"

#include <algorithm>
#include <cmath>

namespace nuv::kop {

namespace {

float Width(const SpanRange& range) { return range.maximum - range.minimum; }

// The pixel along the track of `value` (0 at the minimum).
float TrackPixel(float value, const SpanRange& range, float track) {
    const float r = Width(range);
    return r > 0.0f ? (value - range.minimum) / r * track : 0.0f;
}

// The value at pixel `pixel` of the track.
float ValueAtPixel(float pixel, const SpanRange& range, float track) {
    return track > 0.0f ? pixel / track * Width(range) + range.minimum : range.minimum;
}

}  // namespace

RangeLayout LayOut(const Span& span, const SpanRange& range, float length, float thickness) {
    RangeLayout layout;
    layout.thumb = thickness / 3.0f;
    layout.track = length - 2.0f * layout.thumb;
    const float lowAt = TrackPixel(span.low, range, layout.track);
    const float highAt = TrackPixel(span.high, range, layout.track) + layout.thumb;
    layout.lowThumb = AxisRect{lowAt, 0.0f, layout.thumb, thickness};
    layout.highThumb = AxisRect{highAt, 0.0f, layout.thumb, thickness};
    const float spanStart = lowAt + layout.thumb + 1.0f;
    layout.span = AxisRect{spanStart, 1.0f, std::max(0.0f, highAt - 1.0f - spanStart), thickness - 1.0f};
    return layout;
}

RangePart HitPart(const RangeLayout& layout, float along, float across) {
    if (layout.lowThumb.Contains(along, across)) return kLowThumb;
    if (layout.highThumb.Contains(along, across)) return kHighThumb;
    if (layout.span.Contains(along, across)) return kSpanPart;
    return kNoPart;
}

Span Dragged(const Span& span, RangePart part, float centre, const SpanRange& range, const RangeLayout& layout) {
    Span moved = span;
    switch (part) {
    case kLowThumb:
        moved.low = std::min(std::max(ValueAtPixel(centre - layout.thumb / 2.0f, range, layout.track), range.minimum),
                             span.high);
        break;
    case kHighThumb:
        moved.high = std::max(std::min(ValueAtPixel(centre - 1.5f * layout.thumb, range, layout.track), range.maximum),
                              span.low);
        break;
    case kSpanPart: {
        const float width = span.high - span.low;
        if (!(width < Width(range))) break;
        const float middle = ValueAtPixel(centre - layout.thumb, range, layout.track);
        moved.low = middle - width / 2.0f;
        moved.high = middle + width / 2.0f;
        if (moved.low < range.minimum) {
            moved.low = range.minimum;
            moved.high = range.minimum + width;
        } else if (moved.high > range.maximum) {
            moved.high = range.maximum;
            moved.low = range.maximum - width;
        }
        break;
    }
    default:
        break;
    }
    return moved;
}

std::optional<Span> KeyStepped(const Span& span, const SpanRange& range, float track, bool increase,
                               bool widthOnly) {
    const float step = track > 0.0f ? Width(range) / track : 0.0f;
    if (!(step > 0.0f) || !std::isfinite(step)) return std::nullopt;
    const long steps = std::lround(Width(range) / step);
    const long delta = increase ? 1 : -1;
    const long low = std::lround((span.low - range.minimum) / step) + (widthOnly ? 0 : delta);
    const long high = std::lround((span.high - range.minimum) / step) + delta;
    if (low < 0 || high > steps || low > high) return std::nullopt;
    const auto valueAt = [&](long n) { return n >= steps ? range.maximum : range.minimum + static_cast<float>(n) * step; };
    return Span{valueAt(low), valueAt(high)};
}

Span Normalised(Span span, const SpanRange& range) {
    span.low = std::max(span.low, range.minimum);
    span.high = std::max(span.high, span.low);
    span.high = std::min(span.high, range.maximum);
    span.low = std::min(span.low, span.high);
    return span;
}

Span EachWithin(Span span, const SpanRange& range) {
    const auto within = [&range](float value) { return std::min(std::max(value, range.minimum), range.maximum); };
    return Span{within(span.low), within(span.high)};
}

}  // namespace nuv::kop

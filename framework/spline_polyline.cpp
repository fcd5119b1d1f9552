#include "framework/spline_polyline.h"

#include <cmath>

namespace nuv {

namespace {

// L[i] / L[i+1]. A zero chord on either side (coincident points), or a ratio
// that under- or overflows, is taken as 1: the system keeps a nonzero
// diagonal and the curve still runs through every point.
float ChordRatio(float length, float nextLength) {
    if (length == 0.0f || nextLength == 0.0f) return 1.0f;
    const float ratio = length / nextLength;
    return (ratio > 0.0f && std::isfinite(ratio)) ? ratio : 1.0f;
}

// max(|trunc dx|, |trunc dy|), 1 when that is 0 or not a number, capped.
std::int32_t SegmentSteps(float dx, float dy) {
    const float extent = std::fmax(std::fabs(std::trunc(dx)), std::fabs(std::trunc(dy)));
    if (!(extent >= 1.0f)) return 1;
    if (extent >= static_cast<float>(kMaxSegmentSteps)) return kMaxSegmentSteps;
    return static_cast<std::int32_t>(extent);
}

}  // namespace

void SplinePolyline::Compute(const SplinePoint* points, std::size_t count, std::vector<SplinePoint>& polyline) {
    if (points == nullptr || count < 2) {
        polyline.clear();
        return;
    }
    ComputeSegments(points, count, segments_);
    Sample(segments_, polyline);
}

void SplinePolyline::ComputeSegments(const SplinePoint* points, std::size_t count,
                                     std::vector<SplineSegment>& segments) {
    if (points == nullptr || count < 2) {
        segments.clear();
        return;
    }
    SetUpSystem(points, count);
    SolveTangents();
    FillSegments(points, count, segments);
}

void SplinePolyline::SetUpSystem(const SplinePoint* p, std::size_t n) {
    chord_.resize(n - 1);
    ratio_.resize(n - 1);
    length_.resize(n - 1);
    for (std::size_t i = 0; i + 1 < n; ++i) {
        chord_[i] = {p[i + 1].x - p[i].x, p[i + 1].y - p[i].y};
        length_[i] = std::sqrt(chord_[i].x * chord_[i].x + chord_[i].y * chord_[i].y);
    }
    for (std::size_t i = 0; i + 2 < n; ++i) ratio_[i] = ChordRatio(length_[i], length_[i + 1]);
    ratio_[n - 2] = 1.0f;

    lower_.assign(n, 0.0f);
    diagonal_.assign(n, 0.0f);
    upper_.assign(n, 0.0f);
    rhs_.resize(n);
    diagonal_[0] = 2.0f;
    upper_[0] = ratio_[0];
    rhs_[0] = {3.0f * chord_[0].x, 3.0f * chord_[0].y};
    for (std::size_t i = 1; i + 1 < n; ++i) {
        const float k = ratio_[i - 1];
        const float kk = k * k;
        lower_[i] = 1.0f;
        diagonal_[i] = 2.0f * k * (1.0f + k);
        upper_[i] = kk * ratio_[i];
        rhs_[i] = {3.0f * (chord_[i - 1].x + kk * chord_[i].x), 3.0f * (chord_[i - 1].y + kk * chord_[i].y)};
    }
    lower_[n - 1] = 1.0f;
    diagonal_[n - 1] = 2.0f * ratio_[n - 2];
    rhs_[n - 1] = {3.0f * chord_[n - 2].x, 3.0f * chord_[n - 2].y};
}

void SplinePolyline::SolveTangents() {
    const std::size_t n = diagonal_.size();
    tangent_.resize(n);
    previous_.resize(n);
    for (std::size_t i = 0; i < n; ++i) tangent_[i] = {rhs_[i].x / diagonal_[i], rhs_[i].y / diagonal_[i]};
    for (int iteration = 0; iteration < kJacobiIterations; ++iteration) {
        // The last round's tangents become the previous ones; every entry of
        // tangent_ is rewritten below, so nothing needs copying.
        previous_.swap(tangent_);
        for (std::size_t i = 0; i < n; ++i) {
            float x = rhs_[i].x;
            float y = rhs_[i].y;
            if (i > 0) {
                x -= lower_[i] * previous_[i - 1].x;
                y -= lower_[i] * previous_[i - 1].y;
            }
            if (i + 1 < n) {
                x -= upper_[i] * previous_[i + 1].x;
                y -= upper_[i] * previous_[i + 1].y;
            }
            tangent_[i] = {x / diagonal_[i], y / diagonal_[i]};
        }
    }
}

void SplinePolyline::FillSegments(const SplinePoint* p, std::size_t n, std::vector<SplineSegment>& segments) const {
    segments.resize(n - 1);
    for (std::size_t i = 0; i + 1 < n; ++i) {
        const Pair a = chord_[i];
        const Pair d = tangent_[i];
        // The end tangent of segment i: k[i] D[i+1].
        const Pair e = {ratio_[i] * tangent_[i + 1].x, ratio_[i] * tangent_[i + 1].y};
        const std::int32_t steps = SegmentSteps(a.x, a.y);
        segments[i] = SplineSegment{p[i], {a.x, a.y}, {d.x, d.y}, {e.x, e.y}, steps, 1.0f / static_cast<float>(steps)};
    }
}

void SplinePolyline::Sample(const std::vector<SplineSegment>& segments, std::vector<SplinePoint>& polyline) {
    std::size_t total = 0;
    for (const SplineSegment& s : segments) total += static_cast<std::size_t>(s.steps) + 1;
    polyline.resize(total);

    std::size_t at = 0;
    for (const SplineSegment& s : segments) {
        polyline[at++] = s.start;
        for (std::int32_t j = 1; j <= s.steps; ++j) polyline[at++] = SegmentSample(s, j);
    }
}

std::vector<SplinePoint> ComputeSplinePolyline(const SplinePoint* points, std::size_t count) {
    std::vector<SplinePoint> polyline;
    SplinePolyline().Compute(points, count, polyline);
    return polyline;
}

}  // namespace nuv

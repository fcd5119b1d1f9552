// A smooth polyline through two or more control points: one cubic Hermite
// segment per pair of neighbours, with tangents from a chord-length-weighted
// tridiagonal system solved by exactly ten Jacobi iterations, sampled with
// about one point per unit of the segment's larger extent. Pure arithmetic in
// single precision; no window system involved. The same input always gives the
// same polyline.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace nuv {

struct SplinePoint {
    float x;
    float y;
};

// One segment of the curve: it leaves `start` along `startTangent` and reaches
// start + `chord` along `endTangent`, and is sampled at `steps` equal steps of
// its parameter, each `stepLength` long.
struct SplineSegment {
    SplinePoint start;
    SplinePoint chord;
    SplinePoint startTangent;
    SplinePoint endTangent;
    std::int32_t steps;
    float stepLength;
};

// Sample j (1 .. steps) of a segment, in exactly the arithmetic of the
// polyline's samples. Any thread.
inline SplinePoint SegmentSample(const SplineSegment& s, std::int32_t j) {
    const float t = s.stepLength * static_cast<float>(j);
    const float tt = t * t;
    const float tm = t - 1.0f;
    const float h1 = tt * (3.0f - 2.0f * t);
    const float h2 = t * tm * tm;
    const float h3 = tt * tm;
    return {s.start.x + s.chord.x * h1 + s.startTangent.x * h2 + s.endTangent.x * h3,
            s.start.y + s.chord.y * h1 + s.startTangent.y * h2 + s.endTangent.y * h3};
}

// Jacobi iterations of the tangent solve.
inline constexpr int kJacobiIterations = 10;
// A segment never takes more steps than this, so that a wild control point
// (from a damaged settings stream, say) cannot ask for a gigantic polyline.
// Curves in pixel or tick space stay far below it.
inline constexpr std::int32_t kMaxSegmentSteps = 1 << 16;

// Computes polylines, keeping its working arrays between calls so that a
// caller that rebuilds often allocates only while its curves grow.
class SplinePolyline {
public:
    // Replaces `polyline` with the curve through points[0 .. count-1]. Each
    // segment i contributes its start point and then m samples, m being
    // max(|trunc dx|, |trunc dy|) of its chord, 1 when that is 0 (or not a
    // number), at most kMaxSegmentSteps; so every inner control point occurs
    // twice. Fewer than two points give an empty polyline. Any thread; one
    // instance is not to be shared between threads.
    void Compute(const SplinePoint* points, std::size_t count, std::vector<SplinePoint>& polyline);

    // The segments of the same curve, unsampled: segment i runs from
    // points[i] to points[i + 1], and its start followed by its samples 1 ..
    // steps are the polyline's points. Fewer than two points give none. Any
    // thread; one instance is not to be shared between threads.
    void ComputeSegments(const SplinePoint* points, std::size_t count, std::vector<SplineSegment>& segments);

private:
    struct Pair {
        float x;
        float y;
    };
    void SetUpSystem(const SplinePoint* points, std::size_t count);
    void SolveTangents();
    void FillSegments(const SplinePoint* points, std::size_t count, std::vector<SplineSegment>& segments) const;
    static void Sample(const std::vector<SplineSegment>& segments, std::vector<SplinePoint>& polyline);

    std::vector<Pair> chord_;     // A[i] = P[i+1] - P[i]
    std::vector<float> length_;   // L[i]
    std::vector<float> ratio_;    // k[i]
    std::vector<float> lower_;    // the tridiagonal system, row by row
    std::vector<float> diagonal_;
    std::vector<float> upper_;
    std::vector<Pair> rhs_;       // R[i]
    std::vector<Pair> tangent_;   // D[i]
    std::vector<Pair> previous_;  // D of the previous iteration
    std::vector<SplineSegment> segments_;
};

// One-off form of SplinePolyline::Compute.
std::vector<SplinePoint> ComputeSplinePolyline(const SplinePoint* points, std::size_t count);

}  // namespace nuv

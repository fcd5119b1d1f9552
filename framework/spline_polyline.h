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

private:
    struct Pair {
        float x;
        float y;
    };
    void SetUpSystem(const SplinePoint* points, std::size_t count);
    void SolveTangents();
    void Sample(const SplinePoint* points, std::size_t count, std::vector<SplinePoint>& polyline) const;

    std::vector<Pair> chord_;     // A[i] = P[i+1] - P[i]
    std::vector<float> length_;   // L[i]
    std::vector<float> ratio_;    // k[i]
    std::vector<float> lower_;    // the tridiagonal system, row by row
    std::vector<float> diagonal_;
    std::vector<float> upper_;
    std::vector<Pair> rhs_;       // R[i]
    std::vector<Pair> tangent_;   // D[i]
    std::vector<Pair> previous_;  // D of the previous iteration
};

// One-off form of SplinePolyline::Compute.
std::vector<SplinePoint> ComputeSplinePolyline(const SplinePoint* points, std::size_t count);

}  // namespace nuv

#include "plugins/velocurve/default_curve_points.h"

#include <cmath>

namespace nuv::velocurve {

namespace {

struct PointShape {
    std::int32_t id;
    std::int32_t kind;
    float hitHalfWidth;
    float hitHalfHeight;
    std::int32_t axes;
};

// End points move vertically only, the middle points on both axes.
constexpr PointShape kEndShapeFirst = {1, 1, 12.0f, 10.0f, 1};
constexpr PointShape kMiddleShapeFirst = {2, 3, 8.0f, 8.0f, 3};
constexpr PointShape kMiddleShapeSecond = {3, 3, 8.0f, 8.0f, 3};
constexpr PointShape kEndShapeLast = {4, 2, 12.0f, 10.0f, 1};

CurvePoint MakePoint(const PointShape& shape, float x, float y, float minX, float maxX, float minY, float maxY) {
    CurvePoint p;
    p.id = shape.id;
    p.kind = shape.kind;
    p.hitHalfWidth = shape.hitHalfWidth;
    p.hitHalfHeight = shape.hitHalfHeight;
    p.x = x;
    p.y = y;
    p.handleWidth = shape.hitHalfWidth;
    p.handleHeight = shape.hitHalfHeight;
    p.minX = minX;
    p.maxX = maxX;
    p.minY = minY;
    p.maxY = maxY;
    p.axes = shape.axes;
    p.hover = 0;
    return p;
}

float ClampInto(float v, float low, float high) { return v < low ? low : (v > high ? high : v); }

}  // namespace

void MakeDefaultCurvePoints(float w, float h, CurvePoint (&points)[kCurvePointCount]) {
    points[0] = MakePoint(kEndShapeFirst, 0.0f, DefaultPointY(0, h), 0.0f, 0.0f, 0.0f, h);
    points[1] = MakePoint(kMiddleShapeFirst, w / 4.0f, DefaultPointY(1, h), kMiddlePointMarginX,
                          w / 2.0f - kMiddlePointCentreGap, kMiddlePointMarginY, h - kMiddlePointMarginY);
    points[2] = MakePoint(kMiddleShapeSecond, 3.0f * w / 4.0f, DefaultPointY(2, h), w / 2.0f + kMiddlePointCentreGap,
                          w - kMiddlePointMarginX, kMiddlePointMarginY, h - kMiddlePointMarginY);
    points[3] = MakePoint(kEndShapeLast, w, DefaultPointY(3, h), w, w, 0.0f, h);
}

void PlaceStoredPoints(const CurvePoint (&stored)[kCurvePointCount], CurvePoint (&placed)[kCurvePointCount]) {
    MakeDefaultCurvePoints(kCurveDesignSize.width, kCurveDesignSize.height, placed);
    bool everPlaced = false;
    for (const CurvePoint& p : stored) everPlaced = everPlaced || p.x != 0.0f || p.y != 0.0f;
    if (!everPlaced) return;
    for (std::size_t i = 0; i < kCurvePointCount; ++i) PlaceWithinRange(placed[i], stored[i].x, stored[i].y);
}

void PlaceWithinRange(CurvePoint& point, float x, float y) {
    if (!std::isnan(x)) point.x = x;
    if (!std::isnan(y)) point.y = y;
    point.x = ClampInto(point.x, point.minX, point.maxX);
    point.y = ClampInto(point.y, point.minY, point.maxY);
}

}  // namespace nuv::velocurve

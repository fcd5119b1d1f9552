// CSplineControl: a smooth curve through control points over a grid, drawn
// off-screen on black in the control's curve units (the design pixels its
// points are held in). It has two forms:
//
//   - the curve editor: four CurvePoint records that the user drags with the
//     mouse, each within its ranges. Every paint hands the polyline to the
//     owner (who fills its table from it), draws the held-velocity markers
//     the owner reports, the border, a gradient under the curve and the
//     point handles. While a point is dragged the cursor stays confined to
//     the control; the drag always ends, at the release or at whatever takes
//     the mouse away (leave, cancel mode, capture change, destroy).
//   - the display: the points of an outside array that its owner keeps, any
//     count of two or more; grid and curve only, no mouse editing.
//
// Posted to the parent by the editor: WM_CURVE_POINT_MOVED after each drag
// step (wParam the point's id 1..4, lParam its new y truncated), and
// WM_CURVE_POINT_DROPPED when a drag ends (wParam the control's dialog
// identifier, lParam the point's kind). The control is shared by the two
// deliverables that draw such curves and knows neither: what a curve fills
// and which velocities are held, the owner answers at each paint from the
// effect linked at that moment, so the control keeps no pointer into an
// effect.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "framework/curve_point.h"
#include "framework/spline_polyline.h"
#include "platform/win32/mouse_tracking.h"
#include "toolkit/kop_drawn_static.h"

namespace nuv::kop {

inline constexpr std::uint32_t WM_CURVE_POINT_DROPPED = 0x28D1;
inline constexpr std::uint32_t WM_CURVE_POINT_MOVED = 0x28D2;

inline constexpr std::size_t kCurveEditorPoints = 4;
inline constexpr float kCurveEditorLineWidth = 1.67f;
// The editor's curve maps MIDI values: the markers stand for velocities 0 ..
// 127 across the control, and the control's full height spans output values
// 0 .. 127.
inline constexpr std::int32_t kCurveValueCount = 128;
inline constexpr std::int32_t kCurveTopValue = 127;

// What the editor's owner lends it at each paint.
class SplineCurveOwner {
public:
    // [window thread] The curve through `points` was drawn as `polyline`
    // (curve units): fill whatever follows it.
    virtual void CurveDrawn(const std::vector<SplinePoint>& polyline,
                            const CurvePoint (&points)[kCurveEditorPoints]) = 0;
    // [window thread] The output value (0 .. kCurveTopValue) the curve maps
    // `velocity` (0 .. kCurveValueCount - 1) to when a held note carries
    // that velocity; -1 otherwise.
    virtual std::int32_t HeldVelocityLevel(std::int32_t velocity) const = 0;

protected:
    ~SplineCurveOwner() = default;
};

class CSplineControl : public KopDrawnStatic {
public:
    CSplineControl() = default;

    // [window thread] Rebuilds the polyline from the editor's points, or in
    // the display form from the outside array (none: no curve).
    void RecomputeCurve();
    // [window thread] Makes the control a display of `outside`, which its
    // owner keeps alive while the control may paint; null shows no curve.
    void ShowOutsidePoints(const std::vector<SplinePoint>* outside);
    bool DisplayOnly() const { return displayOnly_; }
    const std::vector<SplinePoint>& Curve() const { return curve_; }

    // [window thread] The curve units across and down: the size the points
    // are measured in, the design size unless the owner sets another.
    float CurveWidth() const { return curveWidth > 0.0f ? curveWidth : designWidth; }
    float CurveHeight() const { return curveHeight > 0.0f ? curveHeight : designHeight; }

    // The point being dragged (0 .. 3), or -1.
    int Selected() const { return selected_; }
    bool Dragging() const { return selected_ >= 0; }
    bool CursorConfined() const { return confinement_.Active(); }
    // [window thread] Ends a drag in progress as a release does (the
    // confinement goes and WM_CURVE_POINT_DROPPED is posted); nothing
    // otherwise.
    void EndDrag() { FinishDrag(true); }

    // The editor's points P0 to P3; the owner copies them in and out as
    // whole records and recomputes the curve after writing them.
    CurvePoint points[kCurveEditorPoints] = {};

    // Set by the owner.
    SplineCurveOwner* owner = nullptr;  // the editor fills and marks nothing without one
    bool showMarks = false;             // draw the held-velocity markers
    float lineWidth = kCurveEditorLineWidth;  // of the curve's pens; 0 draws the thinnest line
    float curveWidth = 0.0f;   // 0: the design width
    float curveHeight = 0.0f;  // 0: the design height

protected:
    // [window thread] The mouse (editor only), and the messages that end a drag.
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // [window thread]
    void Paint(KopPaintFrame& frame) override;

private:
    // Device pixels per curve unit across and down.
    float UnitsX() const;
    float UnitsY() const;
    int HitTest(int x, int y) const;
    bool Hits(const CurvePoint& point, int x, int y) const;
    void OnPress(int x, int y);
    void OnMove(int x, int y, bool leftDown);
    void OnLeave();
    void UpdateHover(int x, int y);
    void ArmLeaveNotification();
    void FinishDrag(bool notify);
    void Invalidate() const;
    void Post(UINT message, WPARAM wParam, LPARAM lParam) const;

    void DrawGrid(Gdiplus::GpGraphics* graphics, float w, float h) const;
    void DrawBorder(Gdiplus::GpGraphics* graphics, float w, float h) const;
    void DrawCurve(Gdiplus::GpGraphics* graphics);
    void FillUnderCurve(Gdiplus::GpGraphics* graphics, float w, float h);
    void DrawMarks(Gdiplus::GpGraphics* graphics, float w, float h) const;
    void DrawHandles(Gdiplus::GpGraphics* graphics) const;

    bool displayOnly_ = false;
    const std::vector<SplinePoint>* outside_ = nullptr;
    SplinePolyline spline_;
    std::vector<SplinePoint> curve_;
    std::vector<Gdiplus::PointF> outline_;  // the curve as GDI+ points, reused by every paint
    int selected_ = -1;
    bool hoverLeaveArmed_ = false;
    bool leaveArmed_ = false;
    win32::CursorConfinement confinement_;
};

}  // namespace nuv::kop

#include "toolkit/spline_control.h"

#include <cmath>
#include <iterator>

#include <windowsx.h>

#include "toolkit/kop_gdiplus_drawing.h"

namespace nuv::kop {

namespace gp = win32::gp;

namespace {

constexpr Argb kBlack = 0xFF000000;
constexpr Argb kMinorGrid = 0xFF1E1E1E;
constexpr Argb kMajorGrid = 0xFF505050;
constexpr Argb kLightBorder = 0xFFAAAAAA;  // top and left
constexpr Argb kDarkBorder = 0xFFC8C8C8;   // bottom and right
constexpr Argb kGlow = 0x64FFFFFF;
constexpr Argb kWhite = 0xFFFFFFFF;
constexpr Argb kFillCentre = 0x46FFFFFF;
constexpr Argb kFillSurround[] = {0x05FFFFFF, 0x061414FF, 0x07FFFF14, 0x08FF3232};
constexpr Argb kMarker = 0xC8FFC864;
constexpr Argb kHandle = 0xA0FFFFFF;
constexpr float kHandleOutlineWidth = 1.66f;
constexpr float kGridPenWidth = 1.0f;
constexpr int kColumns = 16;  // vertical grid lines, every fourth a major one
constexpr int kRows = 8;      // horizontal grid lines, every second a major one

void DrawLine(Gdiplus::GpGraphics* graphics, Gdiplus::GpPen* pen, float x1, float y1, float x2, float y2) {
    gp::GdipDrawLine(graphics, pen, x1, y1, x2, y2);
}

// Lines at k * length / count for k = 1, 2, ... below `length`, the minor
// ones (k not a multiple of `majorEvery`) first.
template <class DrawAt>
void DrawGridLines(float length, int count, int majorEvery, DrawAt drawAt) {
    for (const bool major : {false, true}) {
        for (int k = 1;; ++k) {
            const float at = static_cast<float>(k) * length / static_cast<float>(count);
            if (!(at < length)) break;
            if ((k % majorEvery == 0) == major) drawAt(at, major);
        }
    }
}

}  // namespace

void CSplineControl::RecomputeCurve() {
    if (!displayOnly_) {
        SplinePoint positions[kCurveEditorPoints];
        for (std::size_t i = 0; i < kCurveEditorPoints; ++i) positions[i] = {points[i].x, points[i].y};
        spline_.Compute(positions, kCurveEditorPoints, curve_);
        return;
    }
    if (outside_ == nullptr) {
        curve_.clear();
        return;
    }
    spline_.Compute(outside_->data(), outside_->size(), curve_);
}

void CSplineControl::ShowOutsidePoints(const std::vector<SplinePoint>* outside) {
    FinishDrag(false);
    displayOnly_ = true;
    outside_ = outside;
}

float CSplineControl::UnitsX() const { return scale * designWidth / CurveWidth(); }
float CSplineControl::UnitsY() const { return scale * designHeight / CurveHeight(); }

// Strictly inside the hit box around the point's place on screen.
bool CSplineControl::Hits(const CurvePoint& point, int x, int y) const {
    return std::fabs(UnitsX() * point.x - static_cast<float>(x)) < point.hitHalfWidth &&
           std::fabs(UnitsY() * point.y - static_cast<float>(y)) < point.hitHalfHeight;
}

// The first point hit, in the order P0 to P3, so that of two overlapping
// hit boxes the lower-numbered point wins.
int CSplineControl::HitTest(int x, int y) const {
    for (std::size_t i = 0; i < kCurveEditorPoints; ++i) {
        if (Hits(points[i], x, y)) return static_cast<int>(i);
    }
    return -1;
}

bool CSplineControl::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_LBUTTONDOWN:
        if (!displayOnly_) OnPress(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return false;
    case WM_MOUSEMOVE:
        if (!displayOnly_) OnMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), (wParam & MK_LBUTTON) != 0);
        return false;
    case WM_LBUTTONUP:
        FinishDrag(true);
        return false;
    case WM_MOUSELEAVE:
        if (!displayOnly_) OnLeave();
        return false;
    case WM_CANCELMODE:
    case WM_CAPTURECHANGED:
        FinishDrag(true);
        return false;
    case WM_DESTROY:
        // The page goes with the control; it keeps the points itself.
        FinishDrag(false);
        return KopDrawnStatic::OnMessage(message, wParam, lParam, result);
    default:
        return KopDrawnStatic::OnMessage(message, wParam, lParam, result);
    }
}

void CSplineControl::OnPress(int x, int y) {
    FinishDrag(true);  // a drag whose release never arrived
    RECT client{};
    GetClientRect(Handle(), &client);
    MapWindowPoints(Handle(), HWND_DESKTOP, reinterpret_cast<POINT*>(&client), 2);
    confinement_.Confine(client);
    selected_ = HitTest(x, y);
}

void CSplineControl::OnMove(int x, int y, bool leftDown) {
    ArmLeaveNotification();
    // A release the control never saw (outside it) ends the drag here.
    if (selected_ >= 0 && !leftDown) FinishDrag(true);
    if (selected_ < 0) {
        UpdateHover(x, y);
        return;
    }
    CurvePoint& point = points[selected_];
    point.x = std::fmin(std::fmax(static_cast<float>(x) / UnitsX(), point.minX), point.maxX);
    point.y = std::fmin(std::fmax(static_cast<float>(y) / UnitsY(), point.minY), point.maxY);
    RecomputeCurve();
    Post(WM_CURVE_POINT_MOVED, static_cast<WPARAM>(point.id), static_cast<LPARAM>(static_cast<int>(point.y)));
    Invalidate();
}

// Several points may be hovered at once.
void CSplineControl::UpdateHover(int x, int y) {
    bool changed = false;
    for (CurvePoint& point : points) {
        const std::uint8_t hover = Hits(point, x, y) ? 1 : 0;
        changed = changed || hover != point.hover;
        point.hover = hover;
    }
    if (changed) Invalidate();
}

void CSplineControl::ArmLeaveNotification() {
    if (!hoverLeaveArmed_) hoverLeaveArmed_ = win32::RequestMouseNotification(Handle(), TME_HOVER | TME_LEAVE, HOVER_DEFAULT);
    if (!leaveArmed_) leaveArmed_ = win32::RequestMouseNotification(Handle(), TME_LEAVE, HOVER_DEFAULT);
}

// Leaving ends a drag like a release, so that what the curve shows (and
// fills) is what the owner stores.
void CSplineControl::OnLeave() {
    FinishDrag(true);
    for (CurvePoint& point : points) point.hover = 0;
    hoverLeaveArmed_ = leaveArmed_ = false;
    Invalidate();
}

void CSplineControl::FinishDrag(bool notify) {
    confinement_.Release();
    if (selected_ < 0) return;
    const CurvePoint& point = points[selected_];
    selected_ = -1;
    if (notify) Post(WM_CURVE_POINT_DROPPED, static_cast<WPARAM>(ControlId()), static_cast<LPARAM>(point.kind));
}

void CSplineControl::Invalidate() const {
    if (Handle() != nullptr) InvalidateRect(Handle(), nullptr, FALSE);
}

void CSplineControl::Post(UINT message, WPARAM wParam, LPARAM lParam) const {
    if (Handle() != nullptr) PostMessageW(GetParent(Handle()), message, wParam, lParam);
}

// On black, in curve units: the grid, then (editor) the border; the curve,
// with (editor) the table fill before it and the gradient under it; then
// (editor) the markers and the handles.
void CSplineControl::Paint(KopPaintFrame& frame) {
    Gdiplus::GpGraphics* graphics = frame.Graphics();
    FillRectangle(graphics, kBlack, 0.0f, 0.0f, static_cast<float>(frame.Width()), static_cast<float>(frame.Height()));
    if (!(UnitsX() > 0.0f) || !(UnitsY() > 0.0f)) return;
    gp::GdipScaleWorldTransform(graphics, UnitsX(), UnitsY(), Gdiplus::MatrixOrderPrepend);
    const float w = CurveWidth();
    const float h = CurveHeight();
    DrawGrid(graphics, w, h);
    if (!displayOnly_) DrawBorder(graphics, w, h);
    if (curve_.size() >= 2) {
        if (!displayOnly_ && owner != nullptr) owner->CurveDrawn(curve_, points);
        DrawCurve(graphics);
        if (!displayOnly_) FillUnderCurve(graphics, w, h);
    }
    if (displayOnly_) return;
    if (showMarks && owner != nullptr) DrawMarks(graphics, w, h);
    DrawHandles(graphics);
}

void CSplineControl::DrawGrid(Gdiplus::GpGraphics* graphics, float w, float h) const {
    win32::GpPenOwner minor = MakePen(kMinorGrid, kGridPenWidth);
    win32::GpPenOwner major = MakePen(kMajorGrid, kGridPenWidth);
    DrawGridLines(w, kColumns, 4, [&](float x, bool isMajor) {
        DrawLine(graphics, isMajor ? major.Get() : minor.Get(), x, 0.0f, x, h);
    });
    DrawGridLines(h, kRows, 2, [&](float y, bool isMajor) {
        DrawLine(graphics, isMajor ? major.Get() : minor.Get(), 0.0f, y, w, y);
    });
}

void CSplineControl::DrawBorder(Gdiplus::GpGraphics* graphics, float w, float h) const {
    win32::GpPenOwner light = MakePen(kLightBorder, kGridPenWidth);
    DrawLine(graphics, light.Get(), 0.0f, 0.0f, w, 0.0f);
    DrawLine(graphics, light.Get(), 0.0f, 0.0f, 0.0f, h);
    win32::GpPenOwner dark = MakePen(kDarkBorder, kGridPenWidth);
    DrawLine(graphics, dark.Get(), w - 1.0f, h - 1.0f, 0.0f, h - 1.0f);
    DrawLine(graphics, dark.Get(), w - 1.0f, h - 1.0f, w - 1.0f, 0.0f);
}

void CSplineControl::DrawCurve(Gdiplus::GpGraphics* graphics) {
    outline_.resize(curve_.size());
    for (std::size_t i = 0; i < curve_.size(); ++i) outline_[i] = Gdiplus::PointF(curve_[i].x, curve_[i].y);
    const auto count = static_cast<INT>(outline_.size());
    win32::GpPenOwner glow = MakePen(kGlow, 2.0f * lineWidth, Gdiplus::LineJoinBevel);
    gp::GdipDrawLines(graphics, glow.Get(), outline_.data(), count);
    win32::GpPenOwner white = MakePen(kWhite, lineWidth, Gdiplus::LineJoinBevel);
    gp::GdipDrawLines(graphics, white.Get(), outline_.data(), count);
}

// The area between the curve and the bottom edge, lit from the bottom right
// corner. DrawCurve has filled outline_.
void CSplineControl::FillUnderCurve(Gdiplus::GpGraphics* graphics, float w, float h) {
    win32::GpPathOwner path;
    if (gp::GdipCreatePath(Gdiplus::FillModeAlternate, path.Put()) != Gdiplus::Ok) return;
    gp::GdipAddPathLine2(path.Get(), outline_.data(), static_cast<INT>(outline_.size()));
    const Gdiplus::PointF closing[] = {outline_.back(), Gdiplus::PointF(w, h), Gdiplus::PointF(0.0f, h)};
    gp::GdipAddPathLine2(path.Get(), closing, 3);
    gp::GdipClosePathFigure(path.Get());
    win32::GpPathBrushOwner brush;
    if (gp::GdipCreatePathGradientFromPath(path.Get(), brush.Put()) != Gdiplus::Ok) return;
    const Gdiplus::PointF centre(w, h);
    gp::GdipSetPathGradientCenterPoint(brush.Get(), &centre);
    gp::GdipSetPathGradientCenterColor(brush.Get(), kFillCentre);
    INT pathPoints = 0;
    gp::GdipGetPointCount(path.Get(), &pathPoints);
    if (pathPoints > 3) {
        Gdiplus::ARGB surround[std::size(kFillSurround)];
        for (std::size_t i = 0; i < std::size(kFillSurround); ++i) surround[i] = kFillSurround[i];
        INT count = static_cast<INT>(std::size(kFillSurround));
        gp::GdipSetPathGradientSurroundColorsWithCount(brush.Get(), surround, &count);
    }
    gp::GdipSetPixelOffsetMode(graphics, Gdiplus::PixelOffsetModeHalf);
    gp::GdipFillPath(graphics, brush.Get(), path.Get());
    gp::GdipSetPixelOffsetMode(graphics, Gdiplus::PixelOffsetModeDefault);
}

// One vertical line per held velocity v, at v / kCurveValueCount of the
// width, from the bottom up to the height of its output value.
void CSplineControl::DrawMarks(Gdiplus::GpGraphics* graphics, float w, float h) const {
    win32::GpPenOwner pen = MakePen(kMarker, lineWidth);
    for (std::int32_t v = 0; v < kCurveValueCount; ++v) {
        const std::int32_t level = owner->HeldVelocityLevel(v);
        if (level < 0) continue;
        const float x = static_cast<float>(v) * w / static_cast<float>(kCurveValueCount);
        DrawLine(graphics, pen.Get(), x, h, x, h - static_cast<float>(level) * h / static_cast<float>(kCurveTopValue));
    }
}

// P0 a half disc opening right, P3 one opening left, the middle points
// rings (discs while hovered).
void CSplineControl::DrawHandles(Gdiplus::GpGraphics* graphics) const {
    win32::GpSolidBrushOwner lit;
    win32::GpSolidBrushOwner dim;
    gp::GdipCreateSolidFill(kWhite, lit.Put());
    gp::GdipCreateSolidFill(kHandle, dim.Put());
    win32::GpPenOwner outline = MakePen(kHandle, kHandleOutlineWidth);
    for (std::size_t i = 0; i < kCurveEditorPoints; ++i) {
        const CurvePoint& p = points[i];
        const float w = p.handleWidth;
        const float h = p.handleHeight;
        Gdiplus::GpBrush* fill = p.hover != 0 ? lit.Get() : dim.Get();
        if (i == 0) {
            gp::GdipFillPie(graphics, fill, p.x - w / 2.0f - 1.0f, p.y - h / 2.0f, w, h, -90.0f, 180.0f);
        } else if (i == kCurveEditorPoints - 1) {
            gp::GdipFillPie(graphics, fill, p.x - w / 2.0f, p.y - h / 2.0f, w, h, 90.0f, 180.0f);
        } else if (p.hover != 0) {
            gp::GdipFillEllipse(graphics, lit.Get(), p.x - w / 2.0f, p.y - h / 2.0f, w, h);
        } else {
            gp::GdipDrawEllipse(graphics, outline.Get(), p.x - w / 2.0f, p.y - h / 2.0f, w, h);
        }
    }
}

}  // namespace nuv::kop

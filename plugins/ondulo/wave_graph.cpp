#include "plugins/ondulo/wave_graph.h"

#include "toolkit/kop_gdiplus_drawing.h"

namespace nuv::ondulo {

namespace gp = win32::gp;

namespace {

constexpr kop::Argb kPanelFill = 0xFF04070C;     // red 4, green 7, blue 12
constexpr kop::Argb kGridColour = 0xFF646469;    // 100, 100, 105
constexpr kop::Argb kFineGridColour = 0xFF323237;  // 50, 50, 55
constexpr kop::Argb kWaveColour = 0xFFFFFFFF;
constexpr float kGridPenWidth = 1.0f;
constexpr float kWavePenWidth = 1.7f;
constexpr float kHorizontalLinesPerHeight = 6.0f;
constexpr float kVerticalGridStep = 15.0f;  // design pixels

}  // namespace

bool CWaveGraph::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message != WM_ERASEBKGND) return KopDrawnStatic::OnMessage(message, wParam, lParam, result);
    result = TRUE;
    return true;
}

void CWaveGraph::Paint(kop::KopPaintFrame& frame) {
    Gdiplus::GpGraphics* graphics = frame.Graphics();
    kop::FillRectangle(graphics, kPanelFill, 0.0f, 0.0f, designWidth, designHeight);
    const CWaveGenerator* live = generator ? generator() : nullptr;
    if (live == nullptr) {
        curve_.levels.clear();
        return;
    }
    preview_.Evaluate(*live, static_cast<std::int32_t>(designWidth), curve_);
    DrawGrid(graphics);
    DrawWave(graphics);
}

// Fine horizontal lines every sixth of the height (as many as the width
// would hold; those below the panel fall outside the picture), and a
// vertical line every 15 design pixels, solid on whole beats.
void CWaveGraph::DrawGrid(Gdiplus::GpGraphics* graphics) const {
    kop::UseAntiAliasing(graphics, false);
    const win32::GpPenOwner grid = kop::MakePen(kGridColour, kGridPenWidth);
    const win32::GpPenOwner fine = kop::MakePen(kFineGridColour, kGridPenWidth);
    gp::GdipSetPenDashStyle(fine.Get(), Gdiplus::DashStyleDot);
    const float rowStep = designHeight / kHorizontalLinesPerHeight;
    for (int row = 1; rowStep > 0.0f && static_cast<float>(row) * rowStep < designWidth; ++row) {
        const float y = static_cast<float>(row) * rowStep;
        gp::GdipDrawLine(graphics, fine.Get(), 0.0f, y, designWidth, y);
    }
    for (int line = 1; static_cast<float>(line) * kVerticalGridStep < designWidth; ++line) {
        const float x = static_cast<float>(line) * kVerticalGridStep;
        const bool solid = line % curve_.solidLineEvery == 0;
        gp::GdipDrawLine(graphics, solid ? grid.Get() : fine.Get(), x, 0.0f, x, designHeight);
    }
}

void CWaveGraph::DrawWave(Gdiplus::GpGraphics* graphics) {
    if (curve_.levels.size() < 2) return;
    kop::UseAntiAliasing(graphics, true);
    points_.clear();
    for (std::size_t i = 0; i < curve_.levels.size(); ++i) {
        points_.push_back(Gdiplus::PointF(static_cast<float>(i), curve_.levels[i]));
    }
    const win32::GpPenOwner pen = kop::MakePen(kWaveColour, kWavePenWidth, Gdiplus::LineJoinBevel);
    gp::GdipDrawLines(graphics, pen.Get(), points_.data(), static_cast<INT>(points_.size()));
}

}  // namespace nuv::ondulo

// CWaveGraph: the wave preview on the NuvOndulo page, a dark panel with a
// beat grid and the wave the linked effect's generator describes, drawn as
// a white line over a few beats. At every paint it asks where the generator
// is (the page answers from its present link, so the graph never keeps a
// pointer into an effect that may be gone) and evaluates the curve from a
// copy of its fields, leaving the engine's running state alone.
#pragma once

#include <functional>
#include <vector>

#include "plugins/ondulo/wave_preview.h"
#include "toolkit/kop_drawn_static.h"

namespace nuv::ondulo {

class CWaveGraph : public kop::KopDrawnStatic {
public:
    CWaveGraph() = default;

    // [window thread] The generator to draw, or null when no effect is
    // linked: the panel alone then shows. Set by the page at its set-up.
    std::function<const CWaveGenerator*()> generator;

    // The curve of the last paint (its levels empty when no wave showed).
    const PreviewCurve& LastCurve() const { return curve_; }

protected:
    // [window thread] The erase does nothing: the paint covers the whole control.
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // [window thread] Panel, grid and wave, in design pixels.
    void Paint(kop::KopPaintFrame& frame) override;
    float PaintScale() const override { return scale; }

private:
    void DrawGrid(Gdiplus::GpGraphics* graphics) const;
    void DrawWave(Gdiplus::GpGraphics* graphics);

    WavePreview preview_;
    PreviewCurve curve_;
    std::vector<Gdiplus::PointF> points_;
};

}  // namespace nuv::ondulo

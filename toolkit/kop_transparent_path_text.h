// A title drawn as a text path over the page background. The caption field is
// what is drawn, never the window text; its font follows the scale.
#pragma once

#include <string>

#include "toolkit/kop_static.h"

namespace nuv::kop {

class KopTransparentPathText : public KopStatic {
public:
    KopTransparentPathText() = default;

    // Window thread. Moves and sizes as every control does, and makes the
    // font size s times the design font size.
    void Scale(float s) override;

    std::wstring caption;
    std::wstring fontFamily = L"Arial";
    float fontSize = 12.0f;
    float designFontSize = 12.0f;
    bool italic = false;
    bool bold = false;

protected:
    // Window thread: a window text set from outside only repaints.
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};

}  // namespace nuv::kop

// What the two owner-drawn buttons share: the checked state, momentary or
// toggle pressing, the check messages, hover focus, the posted press
// messages and the user value. Both sit on notifying static controls, so
// every mouse message ends in the static's own processing and the page also
// receives the static's click command (STN_CLICKED, STN_DBLCLK).
#pragma once

#include <cstdint>

#include "toolkit/kop_drawn_static.h"

namespace nuv::kop {

class KopButtonBase : public KopDrawnStatic {
public:
    // [window thread] The state; setting it repaints (BM_SETCHECK does the same).
    bool Checked() const { return checked_; }
    void SetChecked(bool checked);

    std::int32_t UserValue() const override { return userValue_; }
    void SetUserValue(std::int32_t value) override { userValue_ = value; }

    // Whether the mouse rests on the button (hover focus on), and whether
    // the focus rectangle shows.
    bool Hovered() const { return hovered_; }
    bool FocusDrawn() const { return focusDrawn_; }

    // Set by the page during its set-up; Repaint() applies them later.
    std::int32_t paintStyle = 0;  // the painter (KopPaintStyle)
    bool momentary = true;        // checked only from press to release; else each press toggles
    bool hoverFocus = false;      // a focus rectangle while the mouse rests on a momentary button
    bool notify = true;           // post WM_BUTTON_LEFT_PRESSED and WM_BUTTON_RIGHT_PRESSED

protected:
    // `pressOnDoubleClick`: a left double click presses as a left press does.
    explicit KopButtonBase(bool pressOnDoubleClick) : pressOnDoubleClick_(pressOnDoubleClick) {}

    // [window thread] The mouse, check and enable messages.
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // Buttons draw in design pixels.
    float PaintScale() const override { return scale; }
    // [window thread] The window was enabled or disabled.
    virtual void OnEnableChanged(bool) {}

private:
    void Press();
    void ReleaseMomentary();
    void OnHover();
    void OnLeave();
    void PostToParent(UINT message) const;

    const bool pressOnDoubleClick_;
    bool checked_ = false;
    bool hovered_ = false;
    bool focusDrawn_ = false;
    bool tracking_ = false;
    std::int32_t userValue_ = 0;
};

}  // namespace nuv::kop

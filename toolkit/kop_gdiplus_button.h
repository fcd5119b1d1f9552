// The owner-drawn button on a notifying static control: its pressed state,
// the check messages, and the press notifications to the parent. Its looks
// (the painters chosen by paint style) are added by the painting code.
#pragma once

#include "toolkit/kop_static.h"

namespace nuv::kop {

class KopGdiPlusButton : public KopStatic {
public:
    KopGdiPlusButton() = default;

    // Window thread.
    bool Checked() const { return checked_; }
    void SetChecked(bool checked);

    bool momentary = true;  // checked only from press to release; else each press toggles
    bool notify = true;     // post the press messages to the parent

protected:
    // Window thread: the button's mouse and check messages; every one of them
    // ends in the static control's own processing (which sends the click
    // command), except the check messages, which the button answers.
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void Press();
    void PostToParent(UINT message) const;

    bool checked_ = false;
};

}  // namespace nuv::kop

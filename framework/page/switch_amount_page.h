// A page whose settings are switches on toggle buttons and whole numbers on
// sliders with their value beside each, as the randomiser's and the overlap
// page are: a switch's click writes it at once and marks nothing dirty; every
// slider message writes its amount (when it comes from one) and marks the
// settings dirty; the refresh shows every switch and amount. A deliverable's
// page names its controls and sets them up; this class answers for them.
//
// Everything runs on the window thread; nothing touches the effect while
// none of the page's own class is linked, nor writes to it before the set-up
// has finished.
#pragma once

#include "framework/page/parameter_controls.h"
#include "framework/page/property_page.h"

namespace nuv {

class SwitchAmountPage : public NuvMfxPropertyPage {
public:
    // [any thread] The page's switches and amounts, in the order the
    // refresh shows them.
    virtual ConstantList<SwitchControl> Switches() const = 0;
    // [any thread]
    virtual ConstantList<AmountControl> Amounts() const = 0;

protected:
    // [window thread] `engine`: the identity of the effects whose fields the
    // page shows.
    explicit SwitchAmountPage(const EffectIdentity& engine) : engine_(engine) {}

    // [window thread]
    void ReadDisplayedValues() override;
    // [window thread]
    bool OnPageMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    const EffectIdentity& engine_;
};

}  // namespace nuv

#include "framework/page/switch_amount_page.h"

namespace nuv {

void SwitchAmountPage::ReadDisplayedValues() {
    NuvMfxShell* effect = LinkedEffect(*this, engine_);
    if (effect == nullptr) return;
    for (const SwitchControl& control : Switches()) control.Show(*effect);
    for (const AmountControl& amount : Amounts()) amount.Show(*effect);
}

bool SwitchAmountPage::OnPageMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    NuvMfxShell* effect = EditableEffect(*this, engine_);
    switch (message) {
    case WM_COMMAND:
        if (!TakeSwitchCommand(Switches(), effect, wParam, lParam)) return false;
        result = 0;
        return true;
    case kop::WM_SLIDER_CHANGING:
    case kop::WM_SLIDER_CHANGED:
        if (effect != nullptr) {
            TakeAmountMessage(Amounts(), *effect, wParam);
            MarkDirty();
        }
        result = 0;
        return true;
    default:
        return false;
    }
}

}  // namespace nuv

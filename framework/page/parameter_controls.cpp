#include "framework/page/parameter_controls.h"

#include <cwchar>

namespace nuv {

NuvMfxShell* LinkedEffect(const kop::KopDialog& page, const EffectIdentity& engine) {
    NuvMfxShell* effect = page.Effect();
    if (effect == nullptr || !IsEqualGUID(effect->Ids().effectClass, engine.effectClass)) return nullptr;
    return effect;
}

NuvMfxShell* EditableEffect(const kop::KopDialog& page, const EffectIdentity& engine) {
    return page.setUp ? LinkedEffect(page, engine) : nullptr;
}

std::wstring DecimalText(std::int32_t value) {
    wchar_t text[16];
    std::swprintf(text, 16, L"%d", static_cast<int>(value));
    return text;
}

void SetSliderRange(kop::KopGdiPlusSlider& slider, const ParameterDescription& parameter) {
    slider.SetRange(static_cast<float>(parameter.minimum), static_cast<float>(parameter.maximum));
    slider.defaultValue = static_cast<float>(parameter.defaultValue);
}

void SwitchControl::Show(NuvMfxShell& effect) const { button.SetChecked(parameter.get(effect) != 0); }

void SwitchControl::Take(NuvMfxShell& effect) const { parameter.set(effect, button.Checked() ? 1 : 0); }

void AmountControl::Show(NuvMfxShell& effect) const {
    const std::int32_t value = parameter.get(effect);
    slider.SetValue(static_cast<float>(value));
    slider.Repaint();
    number.SetCaption(DecimalText(value));
}

// The slider keeps its value within the parameter's range, so its whole part
// is a value the parameter takes; the check guards against a slider set up
// with another range.
void AmountControl::Take(NuvMfxShell& effect) const {
    const std::int32_t value = TruncatedValue(slider.Value());
    if (Allows(parameter, value)) parameter.set(effect, value);
    number.SetCaption(DecimalText(parameter.get(effect)));
}

}  // namespace nuv

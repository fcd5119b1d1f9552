// The editor page of NuvVelocurveV2: the curve editor with its four output
// value displays, the four target buttons, the controller field, the title,
// the power button and the logo badge. Every edit reaches the effect at once
// (a dragged point when it is dropped); the effect's curve table follows
// every paint of the curve, filled the way the effect fills it itself, so
// that opening the page changes nothing the effect outputs.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "framework/page/property_page.h"
#include "plugins/velocurve/velocurve_effect.h"
#include "toolkit/kop_gdiplus_text_button.h"
#include "toolkit/kop_text_edit.h"
#include "toolkit/kop_transparent_text.h"
#include "toolkit/spline_control.h"

namespace nuv::velocurve {

// The controls of the page's template.
enum VelocurvePageControl : int {
    kCurveControlId = 1008,
    kFirstTargetButtonId = 1009,  // Velocity, Poly Aft, Chan Aft, Ctrl Chng: 1009 to 1012
    kControllerFieldId = 1013,
    kTitleId = 1017,
    kPowerButtonId = 1018,
    kFirstPointDisplayId = 1019,  // P0 to P3: 1019 to 1022
    kLogoBadgeId = 1023,
};

inline constexpr std::size_t kTargetCount = 4;
static_assert(kCurvePointCount == kop::kCurveEditorPoints);

class VelocurvePage : public NuvMfxPropertyPage, private kop::SplineCurveOwner {
public:
    // [window thread]
    VelocurvePage() = default;

    kop::CSplineControl curve;
    std::array<kop::KopTransparentText, kCurvePointCount> pointDisplays;  // output values of P0 to P3
    std::array<kop::KopGdiPlusTextButton, kTargetCount> targetButtons;
    kop::KopTextEdit controllerField;

protected:
    ~VelocurvePage() override = default;

    // [window thread]
    void InitPage() override;
    // [window thread]
    void ReadDisplayedValues() override;
    // [window thread]
    bool OnPageMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // [window thread]
    void BeforeDeactivate() override;

private:
    // [window thread] The curve's owner: the table fill and the markers,
    // from the effect linked now.
    void CurveDrawn(const std::vector<SplinePoint>& polyline,
                    const CurvePoint (&points)[kop::kCurveEditorPoints]) override;
    std::int32_t HeldVelocityLevel(std::int32_t velocity) const override;

    // The linked effect when it is a NuvVelocurveV2 effect; null otherwise.
    NuvMfx* Engine() const;
    void AddTargetButtons();
    void AddControllerField();
    void TakeStoredCurve();
    void StoreCurvePoints();
    void ShowOutputValue(std::size_t index);
    void ShowOutputValues();
    void SelectTarget(Target target);
    void ShowControllerNumber();
    void OnTargetCommand(int id);
    void OnControllerChanged();
    void MarkDirtyWhenSetUp();
};

}  // namespace nuv::velocurve

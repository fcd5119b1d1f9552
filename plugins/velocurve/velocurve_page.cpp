#include "plugins/velocurve/velocurve_page.h"

#include <algorithm>
#include <iterator>
#include <string>

#include "framework/page/control_setup.h"
#include "framework/page/parameter_controls.h"
#include "platform/sync.h"
#include "plugins/velocurve/velocurve_parameters.h"
#include "toolkit/kop_colour.h"
#include "toolkit/kop_messages.h"
#include "toolkit/kop_paint_styles.h"

namespace nuv::velocurve {

namespace {

constexpr float kTitleSize = 26.0f;
const kop::KopFont kLabelFont{L"Arial", 12.0f, true, false};
constexpr wchar_t kTitle[] = L"Velocurve";
constexpr wchar_t kFieldFontFamily[] = L"Arial";
constexpr float kFieldFontPoints = 8.0f;

constexpr std::array<std::uint32_t, 5> kPageColours{0xFF000000, 0xFFFFFFFF, 0xFFFFFFFF, 0xFF646464, 0x64FFC8C8};
constexpr kop::Argb kTargetOnColour = 0xFFFFFFFF;
constexpr kop::Argb kTargetOffColour = 0xFF646464;
constexpr kop::Argb kTargetThirdColour = 0xFFFFFFFF;
constexpr kop::ColourRef kFieldBackground = 0x001E1E1E;  // RGB(30, 30, 30)

const ParameterDescription& Described(ParameterIndex index) { return Parameters()[index]; }

// The target button `i` (0 .. 3) stands for, in the order of the choices.
Target TargetOfButton(std::size_t i) { return static_cast<Target>(Described(kTargetParameter).choices[i].value); }

}  // namespace

NuvMfx* VelocurvePage::Engine() const { return LinkedEngine<NuvMfx>(*this, kIdentity); }

// Inside Activate, before the first refresh: every control configured and
// registered, then the curve as the effect holds it.
void VelocurvePage::InitPage() {
    colours = kPageColours;
    AddTitle(*this, kTitleId, kTitle, kTitleSize);

    AddControl(kCurveControlId, curve);
    curve.curveWidth = kCurveDesignSize.width;
    curve.curveHeight = kCurveDesignSize.height;
    curve.owner = this;
    for (std::size_t i = 0; i < pointDisplays.size(); ++i) {
        pointDisplays[i].font = kLabelFont;
        pointDisplays[i].captionIsTooltip = true;
        AddControl(kFirstPointDisplayId + static_cast<int>(i), pointDisplays[i]);
    }
    AddTargetButtons();
    AddControllerField();
    AddPowerButton(*this, kPowerButtonId);
    AddControl(kLogoBadgeId, logoBadge);

    TakeStoredCurve();
    curve.lineWidth = kop::kCurveEditorLineWidth;
}

void VelocurvePage::AddTargetButtons() {
    const TextButtonLook look{kTargetOnColour, kTargetOffColour, kTargetThirdColour, kLabelFont};
    for (std::size_t i = 0; i < targetButtons.size(); ++i) {
        AddTextToggle(*this, kFirstTargetButtonId + static_cast<int>(i), targetButtons[i], look,
                      Described(kTargetParameter).choices[i].label);
    }
}

// 0 is typed as "OFF" by the field's own rule; the range starts at the
// first controller number.
void VelocurvePage::AddControllerField() {
    const ParameterDescription& controller = Described(kControllerParameter);
    controllerField.mode = kop::kIntegerEntry;
    controllerField.minimum = std::max(controller.minimum, 1);
    controllerField.maximum = controller.maximum;
    controllerField.wheel = true;
    controllerField.textColour = kop::ToColourRef(colours[kop::kTextColour]);
    controllerField.backgroundColour = kFieldBackground;
    AddControl(kControllerFieldId, controllerField);
    controllerField.SetFont(kFieldFontFamily, kFieldFontPoints, true);
}

// The effect's stored points as the effect itself places them for its table
// (the default diagonal when none were ever placed, otherwise each within
// its ranges), shown and written back, so that the curve shown, the points
// stored and the table filled all agree.
void VelocurvePage::TakeStoredCurve() {
    CurvePoint stored[kCurvePointCount] = {};
    NuvMfx* engine = Engine();
    if (engine != nullptr) {
        SectionGuard guard(engine->settingsLock);
        std::copy(std::begin(engine->curvePoints), std::end(engine->curvePoints), stored);
    }
    CurvePoint placed[kCurvePointCount];
    PlaceStoredPoints(stored, placed);
    if (engine != nullptr) {
        SectionGuard guard(engine->settingsLock);
        std::copy(std::begin(placed), std::end(placed), engine->curvePoints);
    }
    std::copy(std::begin(placed), std::end(placed), curve.points);
    curve.RecomputeCurve();
    ShowOutputValues();
}

void VelocurvePage::StoreCurvePoints() {
    NuvMfx* engine = Engine();
    if (engine == nullptr) return;
    SectionGuard guard(engine->settingsLock);
    std::copy(std::begin(curve.points), std::end(curve.points), engine->curvePoints);
}

void VelocurvePage::ShowOutputValue(std::size_t index) {
    pointDisplays[index].SetCaption(DecimalText(OutputValueAt(curve.points[index].y)));
}

void VelocurvePage::ShowOutputValues() {
    for (std::size_t i = 0; i < kCurvePointCount; ++i) ShowOutputValue(i);
}

// Exactly one button on; the effect's flags follow (the held-velocity marks
// are cleared for any target but Velocity); the controller field serves
// Ctrl Chng only, the markers Velocity only.
void VelocurvePage::SelectTarget(Target target) {
    NuvMfx* engine = Engine();
    if (engine == nullptr) return;
    for (std::size_t i = 0; i < targetButtons.size(); ++i) targetButtons[i].SetChecked(TargetOfButton(i) == target);
    Described(kTargetParameter).set(*engine, target);
    EnableWindow(controllerField.Handle(), target == kCtrlChng ? TRUE : FALSE);
    curve.showMarks = target == kVelocity;
    curve.Repaint();
    MarkDirtyWhenSetUp();
}

// The field keeps what the user is typing while it already shows the value.
void VelocurvePage::ShowControllerNumber() {
    NuvMfx* engine = Engine();
    const std::int32_t number = Described(kControllerParameter).get(*engine);
    if (controllerField.IntegerValue() == number && GetWindowTextLengthW(controllerField.Handle()) > 0) return;
    SetWindowTextW(controllerField.Handle(), DecimalText(number).c_str());
}

// Every value from the effect, with the set-up flag down so that nothing
// shown counts as an edit. A point being dragged stays where the mouse has
// it; its drop stores it.
void VelocurvePage::ReadDisplayedValues() {
    if (Engine() == nullptr) return;
    const bool wasSetUp = setUp;
    setUp = false;
    SelectTarget(Engine()->CurrentTarget());
    if (!curve.Dragging()) TakeStoredCurve();
    ShowControllerNumber();
    curve.RecomputeCurve();
    curve.Repaint();
    setUp = wasSetUp;
}

bool VelocurvePage::OnPageMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    const int id = static_cast<int>(wParam);
    switch (message) {
    case kop::WM_CURVE_POINT_MOVED:
        if (id >= 1 && id <= static_cast<int>(kCurvePointCount) && Engine() != nullptr) {
            ShowOutputValue(static_cast<std::size_t>(id - 1));
            MarkDirtyWhenSetUp();
        }
        result = 0;
        return true;
    case kop::WM_CURVE_POINT_DROPPED:
        if (id == kCurveControlId && Engine() != nullptr) {
            StoreCurvePoints();
            ShowOutputValues();
            MarkDirtyWhenSetUp();
        }
        result = 0;
        return true;
    case WM_COMMAND:
        if (LOWORD(wParam) == kControllerFieldId && HIWORD(wParam) == EN_CHANGE) {
            OnControllerChanged();
            return false;
        }
        if (kop::IsStaticClick(wParam)) OnTargetCommand(LOWORD(wParam));
        return false;
    default:
        return false;
    }
}

void VelocurvePage::OnTargetCommand(int id) {
    const int index = id - kFirstTargetButtonId;
    if (index < 0 || index >= static_cast<int>(kTargetCount)) return;
    SelectTarget(TargetOfButton(static_cast<std::size_t>(index)));
}

// Only what the user enters is an edit; the refresh shows the effect's own
// number.
void VelocurvePage::OnControllerChanged() {
    NuvMfx* engine = Engine();
    if (engine == nullptr || !setUp) return;
    Described(kControllerParameter).set(*engine, controllerField.IntegerValue());
    MarkDirty();
}

void VelocurvePage::MarkDirtyWhenSetUp() {
    if (setUp && Engine() != nullptr) MarkDirty();
}

// A drag the closing page cuts off keeps the point where it was dropped; the
// next page re-reads the effect.
void VelocurvePage::BeforeDeactivate() {
    NuvMfx* engine = Engine();
    if (engine == nullptr) return;
    if (curve.Dragging()) {
        curve.EndDrag();
        StoreCurvePoints();
        MarkDirtyWhenSetUp();
    }
    engine->refreshFlag = 1;
}

void VelocurvePage::CurveDrawn(const std::vector<SplinePoint>& polyline,
                               const CurvePoint (&points)[kop::kCurveEditorPoints]) {
    if (NuvMfx* engine = Engine()) FillCurveTable(polyline, points, engine->curveTable);
}

std::int32_t VelocurvePage::HeldVelocityLevel(std::int32_t velocity) const {
    const NuvMfx* engine = Engine();
    if (engine == nullptr || velocity < 0 || velocity >= kMidiValueCount || engine->heldVelocityMarks[velocity] == 0) {
        return -1;
    }
    return std::clamp<std::int32_t>(engine->curveTable[velocity].y, 0, kop::kCurveTopValue);
}

}  // namespace nuv::velocurve

#include "toolkit/kop_dialog.h"

#include <exception>

#include <shellscalingapi.h>
#include <windowsx.h>

#include "platform/sync.h"
#include "platform/win32/module.h"
#include "platform/win32/redraw_suspension.h"
#include "toolkit/kop_mem_dc.h"
#include "toolkit/kop_messages.h"
#include "toolkit/kop_paint_styles.h"

namespace nuv::kop {

namespace {

// A DPI the system names lies well below this; anything else in the
// message's wParam is no DPI, and the monitor is asked instead.
constexpr WPARAM kMostDpi = 0xFFFF;

// The grip's hatch: dark upward diagonal.
constexpr Gdiplus::HatchStyle kGripHatch = Gdiplus::HatchStyleDarkUpwardDiagonal;

template <class Map, class Control>
bool PutIntoMap(Map& map, int id, Control& control) {
    try {
        map.insert_or_assign(id, &control);
        return true;
    } catch (const std::exception&) {  // std::bad_alloc, or the map's own overflow
        return false;
    }
}

template <class Map>
void ScaleAll(const Map& map, float s) {
    for (const auto& entry : map) entry.second->Scale(s);
}

SIZE WindowSize(HWND window) {
    RECT outer{};
    GetWindowRect(window, &outer);
    return SIZE{outer.right - outer.left, outer.bottom - outer.top};
}

}  // namespace

// The built-in controls' looks: the badge, a power knob that toggles, and a
// light metal title; a page may change any of them during its set-up.
KopDialog::KopDialog(int backgroundBitmapId, int powerButtonId)
    : backgroundBitmapId_(backgroundBitmapId), powerButtonId_(powerButtonId) {
    title.paintStyle = kPaintLightMetalText;
    logoBadge.paintStyle = kPaintLogoBadge;
    powerButton.paintStyle = kPaintPowerKnob;
    powerButton.momentary = false;
}

KopDialog::~KopDialog() = default;

bool KopDialog::RegisterControl(int id, KopStatic& control) { return PutIntoMap(statics_, id, control); }
bool KopDialog::RegisterControl(int id, KopEdit& control) { return PutIntoMap(edits_, id, control); }

bool KopDialog::AddControl(int id, KopStatic& control) { return TakeOver(id, control) && RegisterControl(id, control); }
bool KopDialog::AddControl(int id, KopEdit& control) { return TakeOver(id, control) && RegisterControl(id, control); }

bool KopDialog::TakeOver(int id, KopScaledControl& control) {
    if (!control.Attach(Handle(), id)) return false;
    control.MeasureDesignRect();
    control.SetBackground(stretched_);
    return true;
}

void KopDialog::Relayout() {
    ScaleAll(statics_, clientScale_);
    ScaleAll(edits_, clientScale_);
}

void KopDialog::Refresh(bool) {}

float KopDialog::MonitorDpi() const {
    const HMONITOR monitor = MonitorFromWindow(Handle(), MONITOR_DEFAULTTONEAREST);
    UINT dpiX = 0;
    UINT dpiY = 0;
    if (monitor == nullptr || FAILED(GetDpiForMonitor(monitor, MDT_EFFECTIVE_DPI, &dpiX, &dpiY)) || dpiX == 0) {
        return PageGeometry::kReferenceDpi;
    }
    return static_cast<float>(dpiX);
}

void KopDialog::LinkEffect(NuvMfxShell* effect) {
    if (effect != effect_.Get()) effect_.Share(effect);
}

BOOL KopDialog::OnInitDialog() {
    const SIZE outer = WindowSize(Handle());
    GetClientRect(Handle(), &client_);
    geometry_ = PageGeometry{};
    geometry_.SetUp(outer.cx, outer.cy, client_.right - client_.left, client_.bottom - client_.top);
    clientScale_ = 1.0f;
    tracking_ = sizing_ = false;

    background_.Reset(LoadBitmapW(ModuleStateGuard::ResourceInstance(), MAKEINTRESOURCEW(backgroundBitmapId_)));
    BITMAP info{};
    if (background_ && GetObjectW(background_.Get(), sizeof(info), &info) == sizeof(info)) {
        backgroundSize_ = SIZE{info.bmWidth, info.bmHeight};
    } else {
        backgroundSize_ = SIZE{0, 0};
    }
    return TRUE;
}

bool KopDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_LBUTTONDOWN:
        OnLeftButtonDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return false;
    case WM_MOUSEMOVE:
        OnMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return false;
    case WM_LBUTTONUP:
        OnLeftButtonUp();
        return false;
    case WM_MOUSELEAVE:
        tracking_ = false;
        sizing_ = false;
        return false;
    case WM_NCMOUSELEAVE:  // the leave request names the non-client area too
        tracking_ = false;
        return false;
    case WM_CAPTURECHANGED:
        // The capture went elsewhere in mid-drag: the release will never come.
        if (reinterpret_cast<HWND>(lParam) != Handle()) {
            capture_.Lost();
            sizing_ = false;
        }
        return false;
    case WM_TIMER:
        if (refreshTimer.IsTick(wParam)) Refresh(false);
        return false;
    case WM_DESTROY:
        OnDestroy();
        return false;
    case WM_ERASEBKGND:
        PaintBackground(reinterpret_cast<HDC>(wParam));
        result = TRUE;
        return true;
    case kDpiScaledSizeMessage:
        OnDpiScaledSize(MonitorDpi());
        result = 0;
        return true;
    case kSystemDpiScaledSizeMessage:
        // The system names the coming DPI; the window is still on the
        // monitor it leaves, whose DPI a query would give.
        OnDpiScaledSize(wParam != 0 && wParam <= kMostDpi ? static_cast<float>(wParam) : MonitorDpi());
        result = 0;
        return true;
    case WM_DPICHANGED:
    case WM_DPICHANGED_AFTERPARENT:
        result = 0;
        return true;
    case WM_COMMAND:
        // The button toggles at a press and at a double click; the enable
        // and disable notifications of the static are no presses.
        if (LOWORD(wParam) == powerButtonId_ && lParam != 0 && IsStaticClick(wParam, true)) {
            OnPowerCommand();
            result = 0;
            return true;
        }
        return false;
    default:
        return false;
    }
}

void KopDialog::OnLeftButtonDown(int x, int y) {
    RECT client{};
    GetClientRect(Handle(), &client);
    sizing_ = PageGeometry::InGrip(x, y, client.right - client.left, client.bottom - client.top);
    if (sizing_) {
        sizingStartX_ = x;
        sizingStartY_ = y;
        capture_.Take(Handle());
    }
}

void KopDialog::OnMouseMove(int x, int y) {
    if (!tracking_) {
        win32::RequestMouseNotification(Handle(), TME_LEAVE | TME_NONCLIENT, 1);
        tracking_ = true;
    }
    if (!sizing_) return;
    const std::int32_t width = WindowSize(Handle()).cx + (x - sizingStartX_);
    if (const std::optional<SizeStep> step = geometry_.StepTo(width)) {
        sizingStartX_ = x;
        sizingStartY_ = y;
        ApplySize(*step, true);
    }
}

void KopDialog::OnLeftButtonUp() {
    sizing_ = false;
    capture_.Release();
}

void KopDialog::ApplySize(const SizeStep& step, bool resizeWindow) {
    geometry_.Apply(step);
    if (resizeWindow) {
        SetWindowPos(Handle(), nullptr, 0, 0, step.width, step.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    UpdateClientScale();
    StorePageSize(step.width, step.height);
    RelayoutWithoutRedraw();
}

void KopDialog::OnDpiScaledSize(float dpi) {
    if (!geometry_.ChangeDpi(dpi)) return;
    const PageSize size = geometry_.DpiScaledSize();
    SetWindowPos(Handle(), nullptr, 0, 0, size.width, size.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    UpdateClientScale();
    RelayoutWithoutRedraw();
}

void KopDialog::OnPowerCommand() {
    NuvMfxShell* effect = effect_.Get();
    if (!setUp || effect == nullptr) return;
    WriteLocked(effect->settingsLock, effect->enabled, powerButton.Checked() ? 1 : 0);
}

void KopDialog::OnDestroy() {
    refreshTimer.Stop();
    capture_.Release();
    statics_.clear();
    edits_.clear();
    background_.Reset();
    stretched_.Reset();
    stretchedSize_ = SIZE{0, 0};
    setUp = false;
}

void KopDialog::UpdateClientScale() {
    GetClientRect(Handle(), &client_);
    clientScale_ = geometry_.ClientScaleFor(client_.right - client_.left);
}

void KopDialog::RelayoutWithoutRedraw() {
    {
        win32::RedrawSuspension suspended(Handle());
        Relayout();
    }
    InvalidateRect(Handle(), nullptr, TRUE);
}

void KopDialog::StorePageSize(std::int32_t width, std::int32_t height) {
    NuvMfxShell* effect = effect_.Get();
    if (!setUp || effect == nullptr) return;
    WriteLocked(effect->settingsLock, effect->pageWidth, width);
    WriteLocked(effect->settingsLock, effect->pageHeight, height);
}

// The stretch in HALFTONE mode is by far the dearest step of a paint, so the
// stretched background is made again only when the client size changed; the
// off-screen drawing takes a copy of it.
void KopDialog::PaintBackground(HDC target) {
    KopMemDC drawing(target);
    GetClientRect(Handle(), &client_);
    const int width = client_.right - client_.left;
    const int height = client_.bottom - client_.top;
    if (!stretched_ || stretchedSize_.cx != width || stretchedSize_.cy != height) {
        RestretchBackground(target, width, height);
    }
    if (!CopyStretchedOnto(drawing.Dc(), width, height)) StretchBackgroundOnto(drawing.Dc(), width, height);
    DrawGrip(drawing.Dc(), width, height);
}

void KopDialog::RestretchBackground(HDC target, int width, int height) {
    stretched_.Reset(CreateCompatibleBitmap(target, width, height));
    stretchedSize_ = SIZE{0, 0};
    if (!stretched_) return;
    win32::MemoryDc copy(target);
    win32::ObjectSelection selected(copy.Get(), stretched_.Get());
    StretchBackgroundOnto(copy.Get(), width, height);
    stretchedSize_ = SIZE{width, height};
}

bool KopDialog::CopyStretchedOnto(HDC dc, int width, int height) const {
    if (!stretched_) return false;
    win32::MemoryDc source(dc);
    win32::ObjectSelection selected(source.Get(), stretched_.Get());
    return BitBlt(dc, 0, 0, width, height, source.Get(), 0, 0, SRCCOPY) != FALSE;
}

void KopDialog::StretchBackgroundOnto(HDC dc, int width, int height) const {
    if (!background_) {
        PatBlt(dc, 0, 0, width, height, BLACKNESS);
        return;
    }
    win32::MemoryDc source(dc);
    win32::ObjectSelection selected(source.Get(), background_.Get());
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchBlt(dc, 0, 0, width, height, source.Get(), 0, 0, backgroundSize_.cx, backgroundSize_.cy, SRCCOPY);
}

// GDI+ status codes are left unchecked: a grip that cannot be drawn is not drawn.
void KopDialog::DrawGrip(HDC dc, int clientWidth, int clientHeight) const {
    win32::GpGraphicsOwner graphics;
    if (win32::gp::GdipCreateFromHDC(dc, graphics.Put()) != Gdiplus::Ok) return;
    win32::GpHatchBrushOwner brush;
    win32::gp::GdipCreateHatchBrush(kGripHatch, colours[kTextColour], colours[kGripBackgroundColour], brush.Put());
    const GripTriangle grip = geometry_.Grip(clientWidth, clientHeight);
    const Gdiplus::PointF corners[3] = {{grip.x[0], grip.y[0]}, {grip.x[1], grip.y[1]}, {grip.x[2], grip.y[2]}};
    win32::gp::GdipFillPolygon(graphics.Get(), brush.Get(), corners, 3, Gdiplus::FillModeAlternate);
}

}  // namespace nuv::kop

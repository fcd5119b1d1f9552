// KopDialog, the base of every plug-in page: a dialog on the page's template
// (resource 102) that paints its background bitmap stretched to the client
// area, lets the user resize the page by a grip in the bottom-right corner
// while keeping the aspect ratio within half and twice the design size,
// follows the monitor's DPI, rescales every registered control after each
// size change, and carries the title, logo badge and power button. GDI+ runs
// from the dialog's construction to its destruction.
//
// Everything here runs on the window thread. The only writes that leave the
// dialog go into the linked effect (page size, enabled flag), each under the
// effect's settings lock on its own.
#pragma once

#include <array>
#include <cstdint>

#include <robin_hood.h>

#include "framework/effect_shell.h"
#include "platform/com_ref.h"
#include "platform/win32/dialog_window.h"
#include "platform/win32/gdi_owners.h"
#include "platform/win32/gdiplus_owners.h"
#include "platform/win32/mouse_tracking.h"
#include "platform/win32/window_timer.h"
#include "toolkit/kop_edit.h"
#include "toolkit/kop_gdiplus_button.h"
#include "toolkit/kop_static.h"
#include "toolkit/kop_transparent_path_text.h"
#include "toolkit/page_geometry.h"

namespace nuv::kop {

inline constexpr int kPageTemplateId = 102;
inline constexpr std::uint32_t kDefaultPageColour = 0xFF000000;
// Indices into the page's colour scheme.
inline constexpr std::size_t kTextColour = 1;            // also the grip's foreground
inline constexpr std::size_t kGripBackgroundColour = 3;

// The message numbers the dialog follows the DPI by. A page is a child
// window, and the number a child is told of a coming DPI change by is 0x2E2
// (the monitor is asked for its DPI); the system's own WM_GETDPISCALEDSIZE
// (0x2E4) is taken the same way, with the new DPI it carries in wParam.
inline constexpr UINT kDpiScaledSizeMessage = 0x02E2;
inline constexpr UINT kSystemDpiScaledSizeMessage = 0x02E4;

class KopDialog : public win32::DialogWindow {
private:
    // First, so that GDI+ starts before and shuts down after every member.
    win32::GdiplusSession gdiplus_;

public:
    // [window thread] `backgroundBitmapId` names the page's background bitmap
    // resource; `powerButtonId` the template control of the power button.
    KopDialog(int backgroundBitmapId, int powerButtonId);
    ~KopDialog() override;

    // [window thread, during the page's set-up] Puts a control into the static
    // or the edit map under its dialog identifier (a control registered again
    // replaces the first). False when the map could not grow.
    bool RegisterControl(int id, KopStatic& control);
    bool RegisterControl(int id, KopEdit& control);

    // [window thread, during the page's set-up] The usual way in for each
    // control. Takes over template control `id`, measures its design
    // rectangle, hands it the stretched background and registers it. False
    // when the template has no such control or registering failed.
    bool AddControl(int id, KopStatic& control);
    bool AddControl(int id, KopEdit& control);

    // [window thread] Hands the client scale to every registered control:
    // the static map first, then the edit map.
    void Relayout();

    const PageGeometry& Geometry() const { return geometry_; }
    float ClientScale() const { return clientScale_; }
    bool Sizing() const { return sizing_; }
    const win32::GdiBitmap& StretchedBackground() const { return stretched_; }
    SIZE BackgroundSize() const { return backgroundSize_; }
    // Whether GDI+ started with this dialog (it runs until the dialog ends).
    bool GdiplusRunning() const { return gdiplus_.Running(); }
    // The refresh timer's identifier; 0 while it is not running.
    UINT_PTR RefreshTimerId() const { return refreshTimer.Id(); }
    // The linked effect, or null.
    NuvMfxShell* Effect() const { return effect_.Get(); }
    std::size_t RegisteredCount() const { return statics_.size() + edits_.size(); }

    KopTransparentPathText title;
    KopGdiPlusButton logoBadge;
    KopGdiPlusButton powerButton;
    // The page's colour scheme; the page sets it during its set-up.
    std::array<std::uint32_t, 5> colours{kDefaultPageColour, kDefaultPageColour, kDefaultPageColour,
                                         kDefaultPageColour, kDefaultPageColour};
    // Set by the page when its own set-up is finished; handlers that write
    // into the effect act only while it is set.
    bool setUp = false;

protected:
    // [window thread] The measurements of set-up (window and client size,
    // aspect and limits) and the background bitmap. Each set-up starts from
    // the design size, with user scale, DPI factor and client scale 1.
    BOOL OnInitDialog() override;

    // [window thread] The base's messages (mouse, timer, destroy, erase, DPI,
    // the power button's command).
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    // [window thread] The page's refresh of its displayed values.
    virtual void Refresh(bool forced);

    // [window thread] The effective DPI of the monitor nearest the window, 96
    // when the query fails.
    virtual float MonitorDpi() const;

    // [window thread] Links `effect` with one reference of the dialog's own,
    // dropping a different one linked before; the same effect stays as it is.
    void LinkEffect(NuvMfxShell* effect);
    void UnlinkEffect() { effect_.Reset(); }

    // [window thread] Takes an accepted size: the user scale, the window size
    // when `resizeWindow`, the client scale from the new client width, the
    // page size into the effect, and one relayout without redrawing.
    void ApplySize(const SizeStep& step, bool resizeWindow);

    // The page's refresh timer.
    win32::WindowTimer refreshTimer;

private:
    // Takes over template control `id`, measures its design rectangle and
    // hands it the stretched background; false when there is no such control.
    bool TakeOver(int id, KopScaledControl& control);
    void OnLeftButtonDown(int x, int y);
    void OnMouseMove(int x, int y);
    void OnLeftButtonUp();
    void OnDpiScaledSize(float dpi);
    void OnPowerCommand();
    void OnDestroy();
    void PaintBackground(HDC target);
    void RestretchBackground(HDC target, int width, int height);
    bool CopyStretchedOnto(HDC dc, int width, int height) const;
    void StretchBackgroundOnto(HDC dc, int width, int height) const;
    void DrawGrip(HDC dc, int clientWidth, int clientHeight) const;
    void UpdateClientScale();
    void RelayoutWithoutRedraw();
    void StorePageSize(std::int32_t width, std::int32_t height);

    const int backgroundBitmapId_;
    const int powerButtonId_;
    ComRef<NuvMfxShell> effect_;
    robin_hood::unordered_map<int, KopStatic*> statics_;
    robin_hood::unordered_map<int, KopEdit*> edits_;
    win32::GdiBitmap background_;
    SIZE backgroundSize_{0, 0};
    win32::GdiBitmap stretched_;
    SIZE stretchedSize_{0, 0};  // the client size stretched_ was made for
    RECT client_{0, 0, 0, 0};
    PageGeometry geometry_;
    float clientScale_ = 1.0f;
    std::int32_t sizingStartX_ = 0;
    std::int32_t sizingStartY_ = 0;
    bool tracking_ = false;
    bool sizing_ = false;
    win32::MouseCapture capture_;
};

}  // namespace nuv::kop

// What every control registered with a KopDialog keeps: its design rectangle
// (left, top, width, height in dialog client pixels at the page's design
// size), its present scale, a reference to the dialog's stretched
// background, from which it copies the area under itself before drawing so
// that it looks transparent, one tooltip, and the colours it answers the
// colour message with.
#pragma once

#include <string>

#include "platform/win32/gdi_owners.h"
#include "platform/win32/subclassed_control.h"
#include "toolkit/kop_colour.h"
#include "toolkit/kop_tooltip.h"

namespace nuv::kop {

inline constexpr ColourRef kDefaultTextColour = 0x00FABEB4;  // RGB(180, 190, 250)

class KopScaledControl : public win32::SubclassedControl {
public:
    // [window thread] Reads the design rectangle from the control's window
    // rectangle in its parent's client coordinates.
    void MeasureDesignRect();

    // [window thread] Moves and sizes the control to the design rectangle
    // times s (each value truncated), keeping z-order and activation, and
    // remembers s. Text controls also scale their font.
    virtual void Scale(float s);

    // [window thread] The dialog's stretched background; the owner is the
    // dialog, which replaces the bitmap inside it on every background erase.
    void SetBackground(const win32::GdiBitmap& stretched) { background_ = &stretched; }
    const win32::GdiBitmap* Background() const { return background_; }

    // [window thread] The control's window rectangle in its parent's client
    // coordinates.
    RECT RectInParent() const;

    // [window thread] Copies the stretched background under the control into
    // `target` at (0, 0); false when there is nothing to copy from.
    bool CopyBackgroundUnder(HDC target) const;

    // [window thread, once the control is attached] Makes `text` the
    // control's tooltip: the tooltip is made on first use, later calls only
    // change its text. False when no tooltip could be made.
    bool SetTooltip(const std::wstring& text) { return tooltip_.SetText(Handle(), text); }
    // [window thread] The tooltip's present text; empty without one.
    std::wstring TooltipText() const { return tooltip_.Text(); }
    const KopTooltip& Tooltip() const { return tooltip_; }

    float designLeft = 0.0f;
    float designTop = 0.0f;
    float designWidth = 0.0f;
    float designHeight = 0.0f;
    float scale = 1.0f;

    // The colour message's answer (WM_CTLCOLORSTATIC, WM_CTLCOLOREDIT, as
    // the dialog hands it back to the control): the text colour, and either
    // a transparent background or the background colour with a brush of
    // that colour. Set by the page during its set-up.
    ColourRef textColour = kDefaultTextColour;
    ColourRef backgroundColour = 0;
    bool transparent = false;

protected:
    KopScaledControl() = default;

    // [window thread] Ends the tooltip with the control.
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // [window thread] The colour messages.
    bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // [window thread] Sets the colours of `dc` and returns the background
    // brush (the null brush when transparent).
    virtual HBRUSH AnswerColourMessage(HDC dc);

    // [window thread] A solid brush of `colour`, kept until a brush of
    // another colour replaces it (the old one is then deleted).
    HBRUSH BrushOf(ColourRef colour);

private:
    const win32::GdiBitmap* background_ = nullptr;
    KopTooltip tooltip_;
    win32::GdiBrush brush_;
    ColourRef brushColour_ = 0;
};

}  // namespace nuv::kop

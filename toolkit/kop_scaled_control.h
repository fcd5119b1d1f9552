// What every control registered with a KopDialog keeps: its design rectangle
// (left, top, width, height in dialog client pixels at the page's design
// size), its present scale, and a reference to the dialog's stretched
// background, from which it copies the area under itself before drawing so
// that it looks transparent.
#pragma once

#include "platform/win32/gdi_owners.h"
#include "platform/win32/subclassed_control.h"

namespace nuv::kop {

class KopScaledControl : public win32::SubclassedControl {
public:
    // Window thread. Reads the design rectangle from the control's window
    // rectangle in its parent's client coordinates.
    void MeasureDesignRect();

    // Window thread. Moves and sizes the control to the design rectangle
    // times s (each value truncated), keeping z-order and activation, and
    // remembers s. Text controls also scale their font.
    virtual void Scale(float s);

    // Window thread. The dialog's stretched background; the owner is the
    // dialog, which replaces the bitmap inside it on every background erase.
    void SetBackground(const win32::GdiBitmap& stretched) { background_ = &stretched; }
    const win32::GdiBitmap* Background() const { return background_; }

    // Window thread. The control's window rectangle in its parent's client
    // coordinates.
    RECT RectInParent() const;

    // Window thread. Copies the stretched background under the control into
    // `target` at (0, 0); false when there is nothing to copy from.
    bool CopyBackgroundUnder(HDC target) const;

    float designLeft = 0.0f;
    float designTop = 0.0f;
    float designWidth = 0.0f;
    float designHeight = 0.0f;
    float scale = 1.0f;

protected:
    KopScaledControl() = default;

private:
    const win32::GdiBitmap* background_ = nullptr;
};

}  // namespace nuv::kop

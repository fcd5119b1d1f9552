// A KopStatic that draws itself: at every background erase it copies the area
// of the dialog's stretched background under itself into a bitmap of its own,
// and at every paint it draws with GDI+ over a scratch copy of that bitmap
// (KopPaintFrame), so that its transparent parts show the page.
#pragma once

#include "toolkit/kop_paint_frame.h"
#include "toolkit/kop_static.h"

namespace nuv::kop {

class KopDrawnStatic : public KopStatic {
public:
    // [window thread] Asks for a paint with a background erase.
    void Repaint() const;

    // The control's copy of the page background under it; empty before the
    // first erase.
    const win32::GdiBitmap& BackgroundCopy() const { return backgroundCopy_; }

protected:
    KopDrawnStatic() = default;

    // [window thread] The erase and the paint; every other message goes on
    // to KopStatic.
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    // [window thread] Inside the frame of one paint (its Graphics() is set).
    virtual void Paint(KopPaintFrame& frame) = 0;
    // The page scale of the paint: 1 draws in client pixels; the buttons
    // draw in design pixels and answer their scale.
    virtual float PaintScale() const { return 1.0f; }

private:
    void RefreshBackgroundCopy(HDC dc);

    win32::GdiBitmap backgroundCopy_;
    SIZE copySize_{0, 0};
};

}  // namespace nuv::kop

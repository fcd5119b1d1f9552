// Off-screen drawing over a target context's clip box: everything drawn into
// Dc() lands in a compatible bitmap, copied to the target in one block
// transfer when the KopMemDC ends. A printing target is drawn into directly.
// Window thread, within one paint or erase.
#pragma once

#include <optional>

#include "platform/win32/gdi_owners.h"

namespace nuv::kop {

class KopMemDC {
public:
    // Draws off-screen unless the target is a printer.
    explicit KopMemDC(HDC target);
    // `printing` says whether the target is a printing context.
    KopMemDC(HDC target, bool printing);
    KopMemDC(const KopMemDC&) = delete;
    KopMemDC& operator=(const KopMemDC&) = delete;
    ~KopMemDC();

    // Where to draw, in the target's logical coordinates.
    HDC Dc() const { return dc_; }
    // The drawing rectangle: the target's clip box.
    const RECT& Rect() const { return rect_; }
    bool OffScreen() const { return previous_ != nullptr; }

    // Whether a context draws on a printer or plotter.
    static bool IsPrinting(HDC dc);

private:
    bool BeginOffScreen();

    HDC target_;
    HDC dc_;
    RECT rect_{};
    std::optional<win32::MemoryDc> memory_;
    win32::GdiBitmap bitmap_;
    HGDIOBJ previous_ = nullptr;  // the bitmap selected before ours; set while off-screen
};

}  // namespace nuv::kop

// Owners of GDI objects and device contexts, each handle freed by its one
// owner (DeleteObject, DeleteDC, ReleaseDC, EndPaint) when the owner ends.
// All of them belong to the window thread that made them.
#pragma once

#include "platform/com.h"
#include "platform/unique_any.h"

namespace nuv::win32 {

// A GDI object (bitmap, brush, pen, font, region). It must not be selected
// into a device context when its owner ends; ObjectSelection sees to that.
template <class Handle>
using GdiObject = UniqueAny<Handle, &DeleteObject>;
using GdiBitmap = GdiObject<HBITMAP>;
using GdiBrush = GdiObject<HBRUSH>;
using GdiPen = GdiObject<HPEN>;
using GdiFont = GdiObject<HFONT>;
using GdiRegion = GdiObject<HRGN>;

// A device context that DeleteDC frees (a memory or created context).
using OwnedDc = UniqueAny<HDC, &DeleteDC>;

// Gives back a context that GetDC lent for a window (or for the screen).
inline int ReleaseWindowDc(HDC dc) { return ReleaseDC(WindowFromDC(dc), dc); }
using LentDc = UniqueAny<HDC, &ReleaseWindowDc>;

// A memory device context compatible with another context (or the screen).
class MemoryDc : public OwnedDc {
public:
    explicit MemoryDc(HDC compatibleWith) : OwnedDc(CreateCompatibleDC(compatibleWith)) {}
};

// The client-area context of a window (GetDC / ReleaseDC).
class WindowDc : public LentDc {
public:
    explicit WindowDc(HWND window) : LentDc(GetDC(window)) {}
};

// The painting context of one WM_PAINT (BeginPaint / EndPaint). A scope
// rather than a handle: EndPaint belongs to the same message, so it does
// not move.
class PaintDc {
public:
    explicit PaintDc(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    ~PaintDc() { EndPaint(window_, &paint_); }
    HDC Get() const { return dc_; }
    const PAINTSTRUCT& Info() const { return paint_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// Selects an object into a context for one scope and selects the previous
// one back at its end.
class ObjectSelection {
public:
    ObjectSelection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ObjectSelection(const ObjectSelection&) = delete;
    ObjectSelection& operator=(const ObjectSelection&) = delete;
    ~ObjectSelection() {
        if (previous_ != nullptr && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
    }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace nuv::win32

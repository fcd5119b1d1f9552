// GDI+ through its flat interface: the start-up token of one GDI+ session and
// owners of GDI+ objects. Every object is freed by its owner, and every owner
// must end before the session that was running when it was made.
// Window thread.
#pragma once

#include "platform/com.h"  // objidl.h before gdiplus.h
#include "platform/unique_any.h"

#include <gdiplus.h>

namespace nuv::win32 {

namespace gp = Gdiplus::DllExports;

// GDI+ running for the life of this object: GdiplusStartup with the default
// start-up input, GdiplusShutdown with the same token at the end.
class GdiplusSession {
public:
    GdiplusSession() {
        Gdiplus::GdiplusStartupInput input;
        ULONG_PTR token = 0;
        if (Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok) token_.Reset(token);
    }
    bool Running() const { return static_cast<bool>(token_); }

private:
    UniqueAny<ULONG_PTR, &Gdiplus::GdiplusShutdown> token_;
};

// One GDI+ object of type T freed by Delete (GdipDeleteGraphics, ...).
template <class T, Gdiplus::Status(WINGDIPAPI* Delete)(T*)>
using GpOwner = UniqueAny<T*, Delete>;

// Brushes of every kind are created as their own type and freed as a brush.
template <class Brush>
using GpBrushOwner = UniqueAny<Brush*, &gp::GdipDeleteBrush>;

using GpGraphicsOwner = GpOwner<Gdiplus::GpGraphics, gp::GdipDeleteGraphics>;
using GpPenOwner = GpOwner<Gdiplus::GpPen, gp::GdipDeletePen>;
using GpPathOwner = GpOwner<Gdiplus::GpPath, gp::GdipDeletePath>;
using GpImageOwner = GpOwner<Gdiplus::GpImage, gp::GdipDisposeImage>;
using GpFontFamilyOwner = GpOwner<Gdiplus::GpFontFamily, gp::GdipDeleteFontFamily>;
using GpFontOwner = GpOwner<Gdiplus::GpFont, gp::GdipDeleteFont>;
using GpStringFormatOwner = GpOwner<Gdiplus::GpStringFormat, gp::GdipDeleteStringFormat>;
using GpSolidBrushOwner = GpBrushOwner<Gdiplus::GpSolidFill>;
using GpHatchBrushOwner = GpBrushOwner<Gdiplus::GpHatch>;
using GpLinearBrushOwner = GpBrushOwner<Gdiplus::GpLineGradient>;
using GpPathBrushOwner = GpBrushOwner<Gdiplus::GpPathGradient>;

}  // namespace nuv::win32

// GDI+ through its flat interface: the start-up token of one GDI+ session and
// owners of GDI+ objects. Every object is freed by its owner, and every owner
// must end before the session that was running when it was made.
// Window thread.
#pragma once

#include <utility>

#include "platform/com.h"  // objidl.h before gdiplus.h

#include <gdiplus.h>

namespace nuv::win32 {

namespace gp = Gdiplus::DllExports;

// GDI+ running for the life of this object: GdiplusStartup with the default
// start-up input, GdiplusShutdown with the same token at the end.
class GdiplusSession {
public:
    GdiplusSession() {
        Gdiplus::GdiplusStartupInput input;
        status_ = Gdiplus::GdiplusStartup(&token_, &input, nullptr);
        if (status_ != Gdiplus::Ok) token_ = 0;
    }
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;
    ~GdiplusSession() {
        if (token_ != 0) Gdiplus::GdiplusShutdown(token_);
    }
    bool Running() const { return token_ != 0; }

private:
    ULONG_PTR token_ = 0;
    Gdiplus::Status status_ = Gdiplus::GenericError;
};

// One GDI+ object of type T freed by Delete (GdipDeleteGraphics, ...).
template <class T, Gdiplus::Status(WINGDIPAPI* Delete)(T*)>
class GpOwner {
public:
    GpOwner() = default;
    GpOwner(const GpOwner&) = delete;
    GpOwner& operator=(const GpOwner&) = delete;
    GpOwner(GpOwner&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ~GpOwner() { Reset(); }

    void Reset() {
        if (T* old = std::exchange(p_, nullptr)) Delete(old);
    }
    // For the out-parameter of a creation call: frees what is held first.
    T** Put() {
        Reset();
        return &p_;
    }
    T* Get() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

private:
    T* p_ = nullptr;
};

// Brushes of every kind are created as their own type and freed as a brush.
template <class Brush>
class GpBrushOwner {
public:
    GpBrushOwner() = default;
    GpBrushOwner(const GpBrushOwner&) = delete;
    GpBrushOwner& operator=(const GpBrushOwner&) = delete;
    GpBrushOwner(GpBrushOwner&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ~GpBrushOwner() { Reset(); }

    void Reset() {
        if (Brush* old = std::exchange(p_, nullptr)) gp::GdipDeleteBrush(old);
    }
    Brush** Put() {
        Reset();
        return &p_;
    }
    Brush* Get() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

private:
    Brush* p_ = nullptr;
};

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

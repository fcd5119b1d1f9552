// The base of every control that sits on a static control of the page's
// template (buttons, texts, sliders, curve displays). The dialog keeps these
// in its static map.
#pragma once

#include <cstdint>

#include "toolkit/kop_scaled_control.h"

namespace nuv::kop {

class KopStatic : public KopScaledControl {
public:
    KopStatic() = default;

    // [window thread] A free value for the page; a plain static keeps none
    // (it answers -1 and ignores a set), the buttons keep theirs.
    virtual std::int32_t UserValue() const { return -1; }
    virtual void SetUserValue(std::int32_t) {}
};

}  // namespace nuv::kop

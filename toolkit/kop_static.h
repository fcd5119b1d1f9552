// The base of every owner-drawn control that sits on a static control of the
// page's template (buttons, texts, sliders, curve displays). The dialog keeps
// these in its static map.
#pragma once

#include "toolkit/kop_scaled_control.h"

namespace nuv::kop {

class KopStatic : public KopScaledControl {
public:
    KopStatic() = default;
};

}  // namespace nuv::kop

// The base of every control that sits on an edit control of the page's
// template: design rectangle, scale, tooltip and the colours of the colour
// message, as KopScaledControl keeps them. The dialog keeps these in its
// edit map.
#pragma once

#include "toolkit/kop_scaled_control.h"

namespace nuv::kop {

class KopEdit : public KopScaledControl {
public:
    KopEdit() = default;
};

}  // namespace nuv::kop

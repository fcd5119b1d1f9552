// The base of every control that sits on an edit control of the page's
// template. The dialog keeps these in its edit map.
#pragma once

#include "toolkit/kop_scaled_control.h"

namespace nuv::kop {

class KopEdit : public KopScaledControl {
public:
    KopEdit() = default;
};

}  // namespace nuv::kop

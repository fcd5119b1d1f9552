// The resize contract every page keeps with its registered controls: after a
// grip drag, after a size given from outside and after a DPI change to 144,
// each registered control sits at its design rectangle times the dialog's
// client scale (each value truncated) and holds that scale.
#pragma once

#include "tests/page/support/host_frame.h"
#include "toolkit/kop_dialog.h"

namespace nuv::page_test {

// Window thread. `page` is open in `frame` at a size from which it can grow
// by a fifth. Drags the grip, sizes the page from outside and changes the DPI
// to 144 (and back to 96), and after each checks every registered control.
// The page ends at DPI factor 1.
void ExpectResizeContract(HostFrame& frame, kop::KopDialog& page);

}  // namespace nuv::page_test

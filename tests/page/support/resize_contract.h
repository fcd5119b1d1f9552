// The rescaling contract every page keeps, checked on an open page: after a
// grip drag, a size given from outside (Move) and a DPI change to 144, each
// registered control sits at its design rectangle times the page's client
// scale, and holds that scale. Window thread.
#pragma once

#include "tests/page/support/host_frame.h"
#include "toolkit/kop_dialog.h"

namespace nuv::page_test {

// `page` is open in `frame` at its design size; it is left larger.
void ExpectResizeContract(HostFrame& frame, kop::KopDialog& page);

}  // namespace nuv::page_test

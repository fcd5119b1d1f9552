// The resize contract every page keeps with its registered controls: after a
// grip drag, after a size given from outside and after a DPI change to 144,
// each registered control sits at its design rectangle times the dialog's
// client scale (each value truncated) and holds that scale.
#pragma once

#include "tests/page/support/host_frame.h"
#include "toolkit/kop_dialog.h"

namespace nuv::page_test {

// The DPI that pages made as ContractDpiPage<Page> read from their monitor
// query; 0 leaves the question to the monitor. Window thread.
float& ContractMonitorDpi();

// A page whose monitor DPI a test can set: under Wine a process sees the DPI
// it started with, and the DPI messages never arrive on their own.
template <class Page>
class ContractDpiPage : public Page {
protected:
    float MonitorDpi() const override {
        const float dpi = ContractMonitorDpi();
        return dpi > 0.0f ? dpi : Page::MonitorDpi();
    }
};

// Window thread. `page`, made as ContractDpiPage<Page>, is open in `frame`
// at a size from which it can grow by a fifth. Drags the grip, sizes the page
// from outside and changes the DPI to 144 (and back to 96), and after each
// checks every registered control. The page ends at DPI factor 1.
void ExpectResizeContract(HostFrame& frame, kop::KopDialog& page);

}  // namespace nuv::page_test

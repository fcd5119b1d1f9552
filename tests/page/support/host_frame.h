// A top-level window that plays the host's property frame: it holds a
// recording page site and drives a page through the calls a host makes, in
// the order a host makes them.
#pragma once

#include "platform/com.h"
#include "platform/com_ref.h"
#include "platform/win32/user_owners.h"
#include "tests/page/support/recording_site.h"

namespace nuv::page_test {

class HostFrame {
public:
    // Window thread. A visible frame at the top left of the screen, large
    // enough for a page at twice its design size.
    HostFrame();

    HWND Handle() const { return window_.Get(); }
    RecordingPageSite& Site() const { return *site_.Get(); }

    // Window thread. SetPageSite, SetObjects with `effect`, GetPageInfo, and
    // Activate at the frame's top left with the size the page asked for (or
    // `size` when given), which also shows the page. The first failure is
    // returned.
    HRESULT Open(IPropertyPage* page, IUnknown* effect, const SIZE* size = nullptr);
    // Window thread. Show(SW_HIDE), Deactivate, SetObjects(0) and
    // SetPageSite(null); the first failure is returned.
    HRESULT Close(IPropertyPage* page);

    // The size GetPageInfo gave in the last Open.
    SIZE OfferedSize() const { return offered_; }

private:
    ComRef<RecordingPageSite> site_;
    SIZE offered_{0, 0};
    win32::WindowOwner window_;  // ends first, before the site it shows pages for
};

}  // namespace nuv::page_test

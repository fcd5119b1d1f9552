// The host's side of a page: a page site that records every status change
// the page reports.
#pragma once

#include <vector>

#include "platform/com.h"
#include "platform/com_object.h"
#include "platform/com_ref.h"

namespace nuv::page_test {

class RecordingPageSite final : public ComObject<IPropertyPageSite> {
public:
    // Window thread, from the page.
    HRESULT STDMETHODCALLTYPE OnStatusChange(DWORD flags) override {
        statusChanges.push_back(flags);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetLocaleID(LCID* locale) override {
        if (locale == nullptr) return E_POINTER;
        *locale = LOCALE_USER_DEFAULT;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetPageContainer(IUnknown** container) override {
        if (container != nullptr) *container = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG*) override { return E_NOTIMPL; }

    std::vector<DWORD> statusChanges;
};

}  // namespace nuv::page_test

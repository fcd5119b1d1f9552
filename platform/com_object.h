// The one implementation of IUnknown for every COM object of ours: the
// effects, their pages, the class factories and the substitute host's
// queues, services and streams. An object names the interfaces it answers as
// the faces it derives from; QueryInterface walks that list (IUnknown gives
// the first face), then asks OtherInterface for anything else. The reference
// count starts at 1, for whoever made the object, and changes only by
// interlocked operations; the last Release runs FinalRelease, which deletes
// the object. Portable: it needs only our COM subset.
#pragma once

#include <cstdint>

#include "platform/com.h"
#include "platform/sync.h"

namespace nuv {

// The identifier QueryInterface answers face `Face` for. Specialised beside
// each interface's declaration.
template <class Face>
const IID& InterfaceId();

template <>
inline const IID& InterfaceId<IUnknown>() { return IID_IUnknown; }
template <>
inline const IID& InterfaceId<IStream>() { return IID_IStream; }
template <>
inline const IID& InterfaceId<IPersistStream>() { return IID_IPersistStream; }
template <>
inline const IID& InterfaceId<ISpecifyPropertyPages>() { return IID_ISpecifyPropertyPages; }
#if defined(_WIN32)
template <>
inline const IID& InterfaceId<IClassFactory>() { return IID_IClassFactory; }
template <>
inline const IID& InterfaceId<IPropertyPage>() { return IID_IPropertyPage; }
template <>
inline const IID& InterfaceId<IPropertyPageSite>() { return IID_IPropertyPageSite; }
#endif

template <class First, class... Faces>
class ComObject : public First, public Faces... {
public:
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

    // [any thread]
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (ppv == nullptr) return E_POINTER;
        IUnknown* found = FaceFor(riid);
        if (found == nullptr) found = OtherInterface(riid);
        *ppv = found;
        if (found == nullptr) return E_NOINTERFACE;
        found->AddRef();
        return S_OK;
    }
    // [any thread]
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement32(&references_)); }
    // [any thread] The last one runs FinalRelease on the calling thread.
    ULONG STDMETHODCALLTYPE Release() override {
        const std::int32_t left = InterlockedDecrement32(&references_);
        if (left == 0) FinalRelease();
        return static_cast<ULONG>(left);
    }

    // [any thread] The present count, for checks.
    std::int32_t References() const { return InterlockedRead32(&references_); }

protected:
    ComObject() = default;
    virtual ~ComObject() = default;

    // [any thread] An interface answered besides the faces, without a
    // reference added (QueryInterface adds it), or null.
    virtual IUnknown* OtherInterface(REFIID) { return nullptr; }

    // [the last Release's thread] Deletes the object; an object with
    // something to end first (windows, links) does that and then deletes.
    virtual void FinalRelease() { delete this; }

private:
    IUnknown* FaceFor(REFIID riid) {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, InterfaceId<First>())) {
            return static_cast<First*>(this);
        }
        IUnknown* found = nullptr;
        ((found == nullptr && IsEqualIID(riid, InterfaceId<Faces>()) ? found = static_cast<Faces*>(this) : found), ...);
        return found;
    }

    std::int32_t references_ = 1;
};

}  // namespace nuv

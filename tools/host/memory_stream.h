// A settings stream in memory, as a host's project file holds it. Reads and
// writes go through the byte vector from a position; either can be told to
// fail its Nth call, to report success with fewer bytes (a short read or a
// short write), or to run out of room after a number of bytes.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/com.h"
#include "platform/com_object.h"
#include "platform/com_ref.h"
#include "tools/host/failure_plan.h"

namespace nuv::host {

class MemoryStream : public ComObject<IStream> {
public:
    MemoryStream() = default;
    explicit MemoryStream(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}

    HRESULT STDMETHODCALLTYPE Read(void* pv, ULONG cb, ULONG* pcbRead) override;
    HRESULT STDMETHODCALLTYPE Write(const void* pv, ULONG cb, ULONG* pcbWritten) override;

#if defined(_WIN32)
    // The rest of a full stream: only Seek to the start and Stat are of use to
    // a host; the others are not implemented.
    HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* newPosition) override;
    HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*, ULARGE_INTEGER*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Commit(DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Revert() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Stat(STATSTG*, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Clone(IStream**) override { return E_NOTIMPL; }
#endif

    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
    void Rewind() { position_ = 0; }
    std::size_t Position() const { return position_; }

    CallFailure readFailure;   // the chosen Read call returns STG_E_READFAULT
    CallFailure writeFailure;  // the chosen Write call returns STG_E_WRITEFAULT
    CallFailure shortRead;     // the chosen Read call returns S_OK with one byte less
    CallFailure shortWrite;    // the chosen Write call returns S_OK with one byte less written
    std::int64_t writeLimit = -1;  // bytes the stream can hold; -1 unlimited

protected:
    // The sequential stream is the same face.
    IUnknown* OtherInterface(REFIID riid) override {
        return IsEqualIID(riid, IID_ISequentialStream) ? static_cast<IStream*>(this) : nullptr;
    }

private:
    std::vector<std::uint8_t> bytes_;
    std::size_t position_ = 0;
};

}  // namespace nuv::host

#include "tools/host/memory_stream.h"

#include <algorithm>
#include <cstring>

namespace nuv::host {

HRESULT STDMETHODCALLTYPE MemoryStream::Read(void* pv, ULONG cb, ULONG* pcbRead) {
    if (pcbRead != nullptr) *pcbRead = 0;
    if (pv == nullptr) return E_POINTER;
    if (readFailure.Next()) return STG_E_READFAULT;
    const std::size_t available = bytes_.size() - std::min(position_, bytes_.size());
    std::size_t count = std::min<std::size_t>(cb, available);
    const bool shortened = shortRead.Next() && count > 0;
    if (shortened) --count;
    if (count > 0) std::memcpy(pv, bytes_.data() + position_, count);
    position_ += count;
    if (pcbRead != nullptr) *pcbRead = static_cast<ULONG>(count);
    // A shortened read claims success, as a faulty stream would; reaching the
    // end early is S_FALSE, as a system stream answers.
    return (count == cb || shortened) ? S_OK : S_FALSE;
}

HRESULT STDMETHODCALLTYPE MemoryStream::Write(const void* pv, ULONG cb, ULONG* pcbWritten) {
    if (pcbWritten != nullptr) *pcbWritten = 0;
    if (pv == nullptr) return E_POINTER;
    if (writeFailure.Next()) return STG_E_WRITEFAULT;
    if (writeLimit >= 0 && static_cast<std::int64_t>(position_) + cb > writeLimit) return STG_E_MEDIUMFULL;
    // A shortened write claims success, as a faulty stream would.
    const ULONG count = shortWrite.Next() && cb > 0 ? cb - 1 : cb;
    if (bytes_.size() < position_ + count) bytes_.resize(position_ + count);
    if (count > 0) std::memcpy(bytes_.data() + position_, pv, count);
    position_ += count;
    if (pcbWritten != nullptr) *pcbWritten = count;
    return S_OK;
}

#if defined(_WIN32)
HRESULT STDMETHODCALLTYPE MemoryStream::Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* newPosition) {
    std::int64_t base = 0;
    if (origin == STREAM_SEEK_CUR) base = static_cast<std::int64_t>(position_);
    else if (origin == STREAM_SEEK_END) base = static_cast<std::int64_t>(bytes_.size());
    else if (origin != STREAM_SEEK_SET) return STG_E_INVALIDFUNCTION;
    const std::int64_t target = base + move.QuadPart;
    if (target < 0) return STG_E_INVALIDFUNCTION;
    position_ = static_cast<std::size_t>(target);
    if (newPosition != nullptr) newPosition->QuadPart = static_cast<std::uint64_t>(target);
    return S_OK;
}
#endif

}  // namespace nuv::host

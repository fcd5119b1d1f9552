// The substitute host's event and data queues: vectors of records behind the
// host's queue interfaces. Each can fail GetCount, the GetAt of chosen indices,
// or report a count larger than it holds, so that the plug-ins' reading rules
// (count once, skip unreadable entries) are tested.
#pragma once

#include <cstdint>
#include <set>
#include <vector>

#include "framework/host_types.h"
#include "platform/com_object.h"
#include "platform/com_ref.h"

namespace nuv::host {

template <class Face, class Record>
class RecordQueue : public ComObject<Face> {
public:
    RecordQueue() = default;
    explicit RecordQueue(std::vector<Record> records) : records_(std::move(records)) {}

    HRESULT STDMETHODCALLTYPE Add(const Record* record) override {
        if (record == nullptr) return E_POINTER;
        if (failAdd_) return E_FAIL;
        records_.push_back(*record);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetCount(std::int32_t* count) override {
        ++countCalls_;
        if (count == nullptr) return E_POINTER;
        if (failCount_) return E_FAIL;
        *count = static_cast<std::int32_t>(records_.size()) + extraCount_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetAt(std::int32_t index, Record* record) override {
        if (record == nullptr) return E_POINTER;
        if (index < 0 || static_cast<std::size_t>(index) >= records_.size() || failIndices_.count(index) != 0)
            return E_FAIL;
        *record = records_[static_cast<std::size_t>(index)];
        return S_OK;
    }

    std::vector<Record>& Records() { return records_; }
    const std::vector<Record>& Records() const { return records_; }
    void Clear() { records_.clear(); }

    void FailGetCount(bool fail = true) { failCount_ = fail; }
    void FailGetAt(std::int32_t index) { failIndices_.insert(index); }
    void FailAdd(bool fail = true) { failAdd_ = fail; }
    // GetCount answers this many more than the queue holds; the extra indices fail.
    void OverstateCount(std::int32_t extra) { extraCount_ = extra; }
    std::int32_t CountCalls() const { return countCalls_; }

private:
    std::vector<Record> records_;
    std::set<std::int32_t> failIndices_;
    std::int32_t extraCount_ = 0;
    std::int32_t countCalls_ = 0;
    bool failCount_ = false;
    bool failAdd_ = false;
};

using EventQueue = RecordQueue<HostEventQueue, HostEvent>;
using DataQueue = RecordQueue<HostDataQueue, HostData>;

}  // namespace nuv::host

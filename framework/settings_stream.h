// The settings-stream framing shared by every effect: fields little-endian at
// their in-memory widths, one Read or Write call per field, nothing between
// them. A reader or writer stops at the first call that does not return exactly
// S_OK (a short read included) and leaves every later field untouched, so an
// engine's Load and Save are plain lists of fields in stream order:
//
//     SettingsReader in(stream);
//     in.Field(group).Field(shift);
//     if (!in.Ok()) return E_FAIL;
#pragma once

#include <cstdint>
#include <cstring>
#include <type_traits>

#include "platform/com.h"
#include "platform/relaxed_atomic.h"

namespace nuv {

class SettingsReader {
public:
    explicit SettingsReader(IStream* stream) : stream_(stream) {}

    // Reads one field with one Read call. The field is written only when all of
    // its bytes arrived.
    template <class T>
    SettingsReader& Field(T& field) {
        static_assert(std::is_trivially_copyable_v<T>, "stream fields are plain values");
        unsigned char bytes[sizeof(T)];
        if (ReadBytes(bytes, sizeof(T))) std::memcpy(&field, bytes, sizeof(T));
        return *this;
    }

    // A field that is also read without the lock: read whole, then stored.
    template <class T>
    SettingsReader& Field(Relaxed<T>& field) {
        T value = field;
        Field(value);
        field = value;
        return *this;
    }

    // Reads two fields with one Read call of their combined width (the page
    // size is stored this way).
    template <class A, class B>
    SettingsReader& Pair(A& first, B& second) {
        unsigned char bytes[sizeof(A) + sizeof(B)];
        if (ReadBytes(bytes, sizeof(bytes))) {
            std::memcpy(&first, bytes, sizeof(A));
            std::memcpy(&second, bytes + sizeof(A), sizeof(B));
        }
        return *this;
    }

    bool Ok() const { return ok_; }

private:
    bool ReadBytes(unsigned char* bytes, ULONG size) {
        if (!ok_) return false;
        ULONG got = 0;
        if (stream_ == nullptr || stream_->Read(bytes, size, &got) != S_OK || got != size) ok_ = false;
        return ok_;
    }

    IStream* stream_;
    bool ok_ = true;
};

class SettingsWriter {
public:
    explicit SettingsWriter(IStream* stream) : stream_(stream) {}

    template <class T>
    SettingsWriter& Field(const T& field) {
        static_assert(std::is_trivially_copyable_v<T>, "stream fields are plain values");
        unsigned char bytes[sizeof(T)];
        std::memcpy(bytes, &field, sizeof(T));
        return WriteBytes(bytes, sizeof(T));
    }

    template <class T>
    SettingsWriter& Field(const Relaxed<T>& field) {
        return Field(static_cast<T>(field));
    }

    template <class A, class B>
    SettingsWriter& Pair(const A& first, const B& second) {
        unsigned char bytes[sizeof(A) + sizeof(B)];
        std::memcpy(bytes, &first, sizeof(A));
        std::memcpy(bytes + sizeof(A), &second, sizeof(B));
        return WriteBytes(bytes, sizeof(bytes));
    }

    bool Ok() const { return ok_; }

private:
    SettingsWriter& WriteBytes(const unsigned char* bytes, ULONG size) {
        if (!ok_) return *this;
        ULONG put = 0;
        if (stream_ == nullptr || stream_->Write(bytes, size, &put) != S_OK || put != size) ok_ = false;
        return *this;
    }

    IStream* stream_;
    bool ok_ = true;
};

}  // namespace nuv

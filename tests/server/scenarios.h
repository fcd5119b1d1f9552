// The shared scenarios of the six deliverables: each deliverable in a few
// configured variants, one song and one stretch of live input put through it,
// and every output record and the saved settings gathered into one byte
// string. The same scenarios run through the engines built into a test and
// through the deliverable DLLs; the bytes must be the same everywhere.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/effect_shell.h"
#include "platform/com_ref.h"

namespace nuv::scenarios {

using Bytes = std::vector<std::uint8_t>;

struct Variant {
    std::string name;
    Bytes settings;  // the stream the variant's effect saved
};

struct Deliverable {
    std::string name;  // "NuvShiftwell" and so on: also the DLL's name
    CLSID effectClass;
    std::vector<Variant> variants;
    // A new effect of this deliverable built into the test program.
    NuvMfxShell* (*makeLocal)();
};

// Any thread. The six deliverables with their variants. Every variant's
// output is deterministic (NuvSloppet's random steps stay switched off: their
// seed comes from the clock).
std::vector<Deliverable> AllDeliverables();

// Any thread. Connects `effect` to a fresh substitute host, loads `settings`,
// runs the shared song and live input through it and saves it again. The
// result holds, call by call, a call tag, the call's result, the number of
// records and the records' raw bytes, and at the end the saved stream.
Bytes Run(IUnknown* effect, const Bytes& settings);

// The golden file: one line "<deliverable>/<variant> <hex bytes>" each.
std::string KeyOf(const Deliverable& deliverable, const Variant& variant);
std::string ToHex(const Bytes& bytes);
// Offset of the first difference, or -1 when equal.
long FirstDifference(const Bytes& a, const Bytes& b);

// The bytes a ToHex text stands for; empty when the text is not hex.
Bytes FromHex(const std::string& text);

// Where two results of Run first part, decoded: the call (its name and
// number), and for a record its time, kind and bytes on either side; or the
// result, the record count or the saved stream's byte that differs. Empty
// when the two are equal.
std::string DescribeDifference(const Bytes& recorded, const Bytes& produced);

}  // namespace nuv::scenarios

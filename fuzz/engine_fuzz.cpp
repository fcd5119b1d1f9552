// libFuzzer target of one engine, named by NUV_FUZZ_EFFECT when built (one
// program per deliverable, all from this file): see fuzz/engine_session.h.
#include <cstddef>
#include <cstdint>

#include "fuzz/engine_session.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const nuv::fuzz::EffectKind* const kind = nuv::fuzz::FindEffectKind(NUV_FUZZ_EFFECT);
    nuv::fuzz::RunEngineInput(*kind, data, size);
    return 0;
}

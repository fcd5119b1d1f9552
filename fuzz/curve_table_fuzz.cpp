// libFuzzer target of the curve-table fill: see fuzz/curve_table_session.h.
#include <cstddef>
#include <cstdint>

#include "fuzz/curve_table_session.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    nuv::fuzz::RunCurveTableInput(data, size);
    return 0;
}

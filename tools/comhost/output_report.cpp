#include "tools/comhost/output_report.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <map>

namespace nuv::comhost {

namespace {

void PrintEvent(const HostEvent& e) {
    const std::int32_t time = e.time;
    const std::int32_t kind = e.kind;
    const std::int32_t duration = e.duration;
    if (kind == Wheel) {
        std::printf("    %8d  ch %2d  %-7s %6d\n", time, e.channel + 1, KindName(kind), WheelValue(e));
    } else if (kind == Note) {
        std::printf("    %8d  ch %2d  %-7s %3d vel %3d len %d\n", time, e.channel + 1, KindName(kind), e.number,
                    e.value, duration);
    } else {
        std::printf("    %8d  ch %2d  %-7s %3d = %3d\n", time, e.channel + 1, KindName(kind), e.number, e.value);
    }
}

}  // namespace

std::uint64_t Digest(const std::vector<HostEvent>& events) {
    std::uint64_t hash = 0xcbf29ce484222325ull;
    for (const HostEvent& e : events) {
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(&e);
        for (std::size_t i = 0; i < sizeof e; ++i) hash = (hash ^ bytes[i]) * 0x100000001b3ull;
    }
    return hash;
}

bool SameEvents(const std::vector<HostEvent>& a, const std::vector<HostEvent>& b) {
    return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(HostEvent)) == 0);
}

void PrintReport(const RunResult& result, const Song& song, int show) {
    std::printf("  Connect 0x%08lx, Load 0x%08lx\n", static_cast<unsigned long>(result.connect),
                static_cast<unsigned long>(result.load));
    std::map<std::int32_t, int> inByKind;
    std::map<std::int32_t, int> outByKind;
    for (const HostEvent& e : song.events) ++inByKind[e.kind];
    for (const HostEvent& e : result.output) ++outByKind[e.kind];
    std::printf("  %lu events in, %lu out\n", static_cast<unsigned long>(song.events.size()),
                static_cast<unsigned long>(result.output.size()));
    for (const auto& [kind, count] : outByKind)
        std::printf("    %-7s %6d out (%d in)\n", KindName(kind), count, inByKind[kind]);
    const std::size_t shown = show < 0 ? 0 : static_cast<std::size_t>(show);
    if (shown > 0 && !result.output.empty()) std::printf("  first events out:\n");
    for (std::size_t i = 0; i < result.output.size() && i < shown; ++i) PrintEvent(result.output[i]);
    std::printf("  output digest %016" PRIx64 "\n", Digest(result.output));
}

}  // namespace nuv::comhost

// What comhost prints about one run: the calls' results, the output's size
// by kind, its first events and a digest that tells outputs apart.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/comhost/song_run.h"

namespace nuv::comhost {

void PrintReport(const RunResult& result, const Song& song, int show);

// 64-bit FNV-1a over the output's raw 17-byte records.
std::uint64_t Digest(const std::vector<HostEvent>& events);

bool SameEvents(const std::vector<HostEvent>& a, const std::vector<HostEvent>& b);

}  // namespace nuv::comhost

// A song of notes only, cut into host-sized calls of 16 notes, and the timing
// of one whole song through an effect's OnEvents with no transport call in
// between, so the effect's note history grows across the song.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "framework/host_types.h"
#include "tools/host/queues.h"

namespace nuv::bench {

inline constexpr std::size_t kNotesPerCall = 16;

// Sixteenth notes at 480 ticks per quarter over four octaves, with lengths
// that often run into the next notes.
inline std::vector<ComRef<host::EventQueue>> NoteSongCalls(std::size_t notes) {
    std::vector<ComRef<host::EventQueue>> calls;
    std::uint32_t state = 2463534242u;
    for (std::size_t first = 0; first < notes; first += kNotesPerCall) {
        std::vector<HostEvent> call;
        for (std::size_t i = first; i < notes && i < first + kNotesPerCall; ++i) {
            state = state * 1103515245u + 12345u;
            HostEvent e{};
            e.time = static_cast<std::int32_t>(i * 120);
            e.kind = Note;
            e.number = static_cast<std::uint8_t>(36 + (state >> 24) % 48);
            e.value = static_cast<std::uint8_t>(1 + (state >> 16) % 127);
            e.duration = 40 + static_cast<std::int32_t>((state >> 8) % 240);
            call.push_back(e);
        }
        calls.emplace_back(new host::EventQueue(std::move(call)));
    }
    return calls;
}

// Times whole songs through `effect`; reports the cost per note as
// "per_note" (seconds). OnStart empties the history between songs.
template <class Effect>
void TimeSongPerNote(benchmark::State& state, Effect& effect) {
    const auto notes = static_cast<std::size_t>(state.range(0));
    const auto calls = NoteSongCalls(notes);
    ComRef<host::EventQueue> out(new host::EventQueue);
    out->Records().reserve(kNotesPerCall);
    for (auto _ : state) {
        state.PauseTiming();
        effect.OnStart(0, out.Get());
        state.ResumeTiming();
        for (const auto& call : calls) {
            out->Clear();
            effect.OnEvents(0, 0, call.Get(), out.Get());
            benchmark::DoNotOptimize(out->Records().data());
        }
    }
    state.counters["per_note"] = benchmark::Counter(static_cast<double>(notes),
                                                    benchmark::Counter::kIsIterationInvariantRate |
                                                        benchmark::Counter::kInvert);
}

}  // namespace nuv::bench

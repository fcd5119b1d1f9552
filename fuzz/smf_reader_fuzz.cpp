// libFuzzer target of the MIDI file reader. Any input either reads or is
// refused with an SmfError; what reads must write again and read back as the
// same file, and its tracks must survive the split into song events and the
// merge back into a file that the writer accepts.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "tools/nuvfx/track_events.h"
#include "tools/smf/smf_reader.h"
#include "tools/smf/smf_writer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    nuv::smf::File file;
    try {
        file = nuv::smf::ReadSmf(data, size);
    } catch (const nuv::smf::SmfError&) {
        return 0;
    }
    // Beyond here no SmfError is allowed: the file read, so it can be written.
    const std::vector<std::uint8_t> written = nuv::smf::WriteSmf(file);
    if (!(nuv::smf::ReadSmf(written) == file)) std::abort();

    nuv::smf::File merged = file;
    for (nuv::smf::Track& track : merged.tracks) {
        const nuv::nuvfx::SplitTrack split = nuv::nuvfx::Split(track);
        nuv::nuvfx::MergeCounts counts;
        track = nuv::nuvfx::Merge(split.filterable, split.kept, split.endTick, counts);
        if (counts.clampedTimes != 0 || counts.unwritable != 0) std::abort();
    }
    nuv::smf::WriteSmf(merged);
    return 0;
}

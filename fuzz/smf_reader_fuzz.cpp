// libFuzzer target of the MIDI file reader. Any input either reads or is
// refused with an SmfError, strictly and tolerantly (a RIFF RMID wrapper
// unwrapped first); what reads must write again and read back strictly as the
// same file, and its tracks must survive the split into song events and the
// merge back into a file that the writer accepts.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "tools/nuvfx/track_events.h"
#include "tools/smf/riff_midi.h"
#include "tools/smf/smf_reader.h"
#include "tools/smf/smf_writer.h"

namespace {

void CheckWhatRead(const nuv::smf::File& file) {
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
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    bool strictRead = false;
    try {
        CheckWhatRead(nuv::smf::ReadSmf(data, size));
        strictRead = true;
    } catch (const nuv::smf::SmfError&) {
    }

    const std::uint8_t* smf = data;
    std::size_t smfSize = size;
    nuv::smf::ReadDefects defects;
    nuv::smf::File tolerant;
    try {
        if (nuv::smf::IsRiffMidi(data, size)) {
            const nuv::smf::ByteRange inside = nuv::smf::MidiDataOfRiff(data, size);
            if (inside.begin > inside.end || inside.end > size) std::abort();
            smf = data + inside.begin;
            smfSize = inside.end - inside.begin;
        }
        tolerant = nuv::smf::ReadSmf(smf, smfSize, nuv::smf::ReadOptions{true}, &defects);
    } catch (const nuv::smf::SmfError&) {
        // What reads strictly reads tolerantly too.
        if (strictRead) std::abort();
        return 0;
    }
    // A file without defects reads the same either way.
    if (strictRead && (defects.Any() || !(tolerant == nuv::smf::ReadSmf(data, size)))) std::abort();
    CheckWhatRead(tolerant);
    return 0;
}

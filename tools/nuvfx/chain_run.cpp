#include "tools/nuvfx/chain_run.h"

#include <mutex>

#include "tools/nuvfx/file_io.h"
#include "tools/smf/smf_reader.h"

namespace nuv::nuvfx {
namespace {

std::mutex& ProcessWideStateLock() {
    static std::mutex lock;
    return lock;
}

EffectPass PlayStage(const smf::File& song, const ChainStage& stage, std::int32_t span) {
    if (!stage.sharesProcessState) return ApplyEffect(song, stage.makeInstance, span);
    const std::lock_guard<std::mutex> hold(ProcessWideStateLock());
    return ApplyEffect(song, stage.makeInstance, span);
}

smf::File ReadBack(const std::vector<std::uint8_t>& bytes) {
    try {
        return smf::ReadSmf(bytes);
    } catch (const smf::SmfError& e) {
        throw ToolError("an effect's output does not read back: " + std::string(e.what()));
    }
}

}  // namespace

ChainRun RunChain(const smf::File& song, const std::vector<ChainStage>& stages, std::int32_t span) {
    ChainRun run;
    const smf::File* input = &song;
    for (const ChainStage& stage : stages) {
        run.passes.push_back(PlayStage(*input, stage, span));
        run.output = ReadBack(run.passes.back().bytes);
        input = &run.output;
    }
    return run;
}

}  // namespace nuv::nuvfx

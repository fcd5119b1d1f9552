#include "tools/nuvfx/effect_setup.h"

#include <algorithm>

#include "tools/host/memory_stream.h"
#include "tools/nuvfx/file_io.h"

namespace nuv::nuvfx {

bool LoadSettings(IPersistStream& persist, const std::vector<std::uint8_t>& bytes) {
    ComRef<host::MemoryStream> stream(new host::MemoryStream(bytes));
    return persist.Load(stream.Get()) == S_OK;
}

std::vector<std::uint8_t> SaveSettings(IPersistStream& persist) {
    ComRef<host::MemoryStream> stream(new host::MemoryStream);
    if (persist.Save(stream.Get(), 1) != S_OK) throw ToolError("the effect could not save its settings");
    return stream->Bytes();
}

namespace {

class LinkedInstance final : public EffectInstance {
public:
    explicit LinkedInstance(ComRef<NuvMfxShell> effect) : effect_(std::move(effect)) {}
    IMfxEventFilter& Filter() override { return *effect_->Identity(); }
    IPersistStream& Persist() override { return *effect_; }
    NuvMfxShell& Shell() { return *effect_; }

private:
    ComRef<NuvMfxShell> effect_;
};

}  // namespace

namespace {

// The requests in the effect's order of parameters: a group is joined before
// its shift is set, whatever the order on the command line.
std::vector<SetRequest> InParameterOrder(const EffectInfo& effect, std::vector<SetRequest> sets) {
    std::stable_sort(sets.begin(), sets.end(), [&effect](const SetRequest& a, const SetRequest& b) {
        return a.param - effect.params.begin() < b.param - effect.params.begin();
    });
    return sets;
}

}  // namespace

InstanceMaker LinkedInstances(const EffectSetup& setup) {
    return [setup, sets = InParameterOrder(*setup.effect, setup.sets)]() -> std::unique_ptr<EffectInstance> {
        auto instance = std::make_unique<LinkedInstance>(setup.effect->create());
        if (setup.settings && !LoadSettings(instance->Persist(), *setup.settings))
            throw ToolError("bad settings stream " + setup.settingsName + ": " + setup.effect->name +
                            " could not load it");
        for (const SetRequest& s : sets) s.param->set(instance->Shell(), s.value);
        if (!sets.empty() && !LoadSettings(instance->Persist(), SaveSettings(instance->Persist())))
            throw ToolError(setup.effect->name + " could not load its own settings");
        if (setup.seed && setup.effect->seed) setup.effect->seed(instance->Shell(), *setup.seed);
        return instance;
    };
}

}  // namespace nuv::nuvfx

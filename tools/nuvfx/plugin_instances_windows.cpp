// Hosting a deliverable's DLL as the host does: the library is loaded once,
// and each instance comes from its DllGetClassObject's class factory for the
// effect's class, queried for IMfxEventFilter and IPersistStream. The library
// stays loaded while any instance lives.
#include <memory>

#include "tools/comhost/dll_library.h"
#include "tools/nuvfx/file_io.h"
#include "tools/nuvfx/plugin_instances.h"

namespace nuv::nuvfx {

bool PluginHostingAvailable() { return true; }

namespace {

class PluginInstance final : public EffectInstance {
public:
    PluginInstance(std::shared_ptr<comhost::Library> library, ComRef<IMfxEventFilter> filter,
                   ComRef<IPersistStream> persist)
        : library_(std::move(library)), filter_(std::move(filter)), persist_(std::move(persist)) {}
    IMfxEventFilter& Filter() override { return *filter_; }
    IPersistStream& Persist() override { return *persist_; }

private:
    std::shared_ptr<comhost::Library> library_;  // released last
    ComRef<IMfxEventFilter> filter_;
    ComRef<IPersistStream> persist_;
};

}  // namespace

InstanceMaker PluginInstances(const std::string& dllPath, const EffectInfo& effect, const EffectSetup& setup) {
    static const HRESULT comStarted = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    (void)comStarted;
    auto library = std::make_shared<comhost::Library>(comhost::FullPath(comhost::Widened(dllPath)));
    if (library->Get() == nullptr) throw ToolError("cannot load " + dllPath);
    if (!library->ServesClasses()) throw ToolError(dllPath + " exports no DllGetClassObject");
    const CLSID effectClass = effect.create()->Ids().effectClass;

    return [library, effectClass, setup, dllPath, name = effect.name]() -> std::unique_ptr<EffectInstance> {
        const ComRef<IClassFactory> factory = library->ClassFactory(effectClass);
        if (!factory) throw ToolError(dllPath + " does not serve " + name);
        ComRef<IMfxEventFilter> filter;
        if (FAILED(factory->CreateInstance(nullptr, IID_IMfxEventFilter, reinterpret_cast<void**>(filter.Put()))))
            throw ToolError(dllPath + " made no " + name + " effect");
        ComRef<IPersistStream> persist;
        if (FAILED(filter->QueryInterface(IID_IPersistStream, reinterpret_cast<void**>(persist.Put()))))
            throw ToolError("the " + name + " effect of " + dllPath + " has no settings stream");
        auto instance = std::make_unique<PluginInstance>(library, std::move(filter), std::move(persist));
        if (setup.settings && !LoadSettings(instance->Persist(), *setup.settings))
            throw ToolError("bad settings stream " + setup.settingsName + ": " + name + " could not load it");
        return instance;
    };
}

}  // namespace nuv::nuvfx

#include "framework/effect_shell.h"

namespace nuv {

std::int64_t ModuleCounters::objectCount = 0;
std::int64_t ModuleCounters::serverLocks = 0;

namespace {

template <class Service>
bool QueryService(IUnknown* context, REFIID iid, ComRef<Service>& service) {
    service = QueryFace<Service>(context, iid);
    return static_cast<bool>(service);
}

}  // namespace

NuvMfxShell::NuvMfxShell(const EffectIdentity& identity) : identity_(identity) {
    InterlockedAdd64(&ModuleCounters::objectCount, 1);
}

// The members end the pulses and then release the services, in that order.
NuvMfxShell::~NuvMfxShell() { InterlockedAdd64(&ModuleCounters::objectCount, -1); }

IUnknown* NuvMfxShell::OtherInterface(REFIID riid) {
    return IsEqualIID(riid, IID_NuvMfxShell) ? Identity() : nullptr;
}

HRESULT STDMETHODCALLTYPE NuvMfxShell::Connect(IUnknown* context) {
    // A Connect while still connected is a Disconnect first: whatever the
    // engine began on the old services (pulses) is ended on them, and none of
    // them is kept should this Connect fail part way.
    if (timeService != nullptr || pulseService != nullptr || auxService != nullptr) Disconnect();
    HRESULT result = S_OK;
    if (!QueryService(context, IID_HostTimeService, timeService)) {
        result = E_FAIL;
    } else if (identity_.needsPulseService && !QueryService(context, IID_HostPulseService, pulseService)) {
        result = E_FAIL;
    } else {
        QueryService(context, IID_HostAuxService, auxService);
    }
    return AfterConnect(context, result);
}

HRESULT NuvMfxShell::AfterConnect(IUnknown*, HRESULT result) { return result; }

HRESULT STDMETHODCALLTYPE NuvMfxShell::Disconnect() {
    pulses.End();
    BeforeDisconnect();
    ReleaseServices();
    return S_OK;
}

void NuvMfxShell::ReleaseServices() {
    timeService.Reset();
    pulseService.Reset();
    auxService.Reset();
}

HRESULT STDMETHODCALLTYPE NuvMfxShell::OnStart(std::int32_t, HostEventQueue*) {
    OnTransport();
    return S_OK;
}
HRESULT STDMETHODCALLTYPE NuvMfxShell::OnLoop(std::int32_t, std::int32_t, HostEventQueue*) {
    OnTransport();
    return S_OK;
}
HRESULT STDMETHODCALLTYPE NuvMfxShell::OnStop(std::int32_t, HostEventQueue*) {
    OnTransport();
    return S_OK;
}
HRESULT STDMETHODCALLTYPE NuvMfxShell::OnEvents(std::int32_t, std::int32_t, HostEventQueue*, HostEventQueue*) {
    return S_OK;
}
HRESULT STDMETHODCALLTYPE NuvMfxShell::OnInput(HostDataQueue*, HostDataQueue*) { return S_OK; }

HRESULT STDMETHODCALLTYPE NuvMfxShell::GetClassID(CLSID* classId) {
    if (classId == nullptr) return E_POINTER;
    *classId = identity_.effectClass;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE NuvMfxShell::IsDirty() { return dirtyFlag != 0 ? S_OK : S_FALSE; }

HRESULT STDMETHODCALLTYPE NuvMfxShell::Load(IStream* stream) {
    SettingsReader in(stream);
    std::uint32_t version = 0;
    in.Field(version);
    if (in.Ok()) LoadFields(in, version);
    if (!in.Ok()) return E_FAIL;
    AfterLoad();
    dirtyFlag = 0;
    refreshFlag = 1;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE NuvMfxShell::Save(IStream* stream, BOOL clearDirty) {
    SettingsWriter out(stream);
    out.Field(identity_.streamVersion);
    if (out.Ok()) SaveFields(out);
    if (!out.Ok()) return E_FAIL;
    if (clearDirty) dirtyFlag = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE NuvMfxShell::GetSizeMax(ULARGE_INTEGER* size) {
    if (size == nullptr) return E_POINTER;
    size->QuadPart = identity_.streamSize;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE NuvMfxShell::GetPages(CAUUID* pages) {
    if (pages == nullptr) return E_POINTER;
    pages->cElems = 1;
    pages->pElems = static_cast<GUID*>(CoTaskMemAlloc(sizeof(GUID)));
    if (pages->pElems == nullptr) {
        pages->cElems = 0;
        return E_OUTOFMEMORY;
    }
    *pages->pElems = identity_.pageClass;
    return S_OK;
}

}  // namespace nuv

// The effect object shell shared by every plug-in: one object with three faces
// (IMfxEventFilter, IPersistStream, ISpecifyPropertyPages), its reference count,
// settings lock, flags, page size, host-service references and the settings
// stream framing. An engine derives from NuvMfxShell and supplies only its
// parameters, its stream fields and its event processing.
//
// Lifetime rules, all in this class:
//   - created with a reference count of 1; the last Release deletes the object;
//   - every constructor adds 1 to the module object count, the destructor takes
//     it away again;
//   - Connect holds one reference to each service it obtains (time, pulse where
//     the engine asks for it, aux when present); Disconnect releases them, and so
//     does the destructor for a host that never disconnects. Input pulses an
//     engine began are ended first. The context itself is not kept; an engine
//     that needs it takes its own reference.
#pragma once

#include <cstdint>

#include "framework/host_types.h"
#include "framework/live_pulses.h"
#include "framework/settings_stream.h"
#include "platform/com_object.h"
#include "platform/com_ref.h"
#include "platform/sync.h"

namespace nuv {

// What tells the deliverables apart at the shell's level.
struct EffectIdentity {
    CLSID effectClass;             // GetClassID, registration
    CLSID pageClass;               // GetPages
    std::uint32_t streamVersion;   // what Save writes first
    std::uint32_t streamSize;      // GetSizeMax
    bool needsPulseService;        // Connect fails without HostPulseService
};

// Our own identity for an effect object: an object that answers it is one of
// our effect shells, and the pointer it hands out is the shell itself (with a
// reference added). A page asks for it so that it never takes a foreign object
// for an effect. Hosts never ask for it.
inline constexpr IID IID_NuvMfxShell = {0x6A1E3C52, 0x94D0, 0x4B7A, {0x8E, 0x2F, 0x51, 0xC4, 0x0B, 0x7D, 0x93, 0x16}};

class NuvMfxShell : public ComObject<IMfxEventFilter, IPersistStream, ISpecifyPropertyPages> {
public:
    // [any thread] The effect factory's, in zero-filled memory.
    explicit NuvMfxShell(const EffectIdentity& identity);
    // [any thread] The last Release's.
    ~NuvMfxShell() override;

    // IMfxEventFilter. Connect and Disconnect are final: engines hook in
    // through AfterConnect and BeforeDisconnect.
    // [host thread]
    HRESULT STDMETHODCALLTYPE Connect(IUnknown* context) final;
    // [host thread]
    HRESULT STDMETHODCALLTYPE Disconnect() final;
    // [host thread]
    HRESULT STDMETHODCALLTYPE OnStart(std::int32_t time, HostEventQueue* out) override;
    // [host thread]
    HRESULT STDMETHODCALLTYPE OnLoop(std::int32_t restartTime, std::int32_t stopTime, HostEventQueue* out) override;
    // [host thread]
    HRESULT STDMETHODCALLTYPE OnStop(std::int32_t time, HostEventQueue* out) override;
    // [host thread]
    HRESULT STDMETHODCALLTYPE OnEvents(std::int32_t from, std::int32_t thru, HostEventQueue* in,
                                       HostEventQueue* out) override;
    // [host thread]
    HRESULT STDMETHODCALLTYPE OnInput(HostDataQueue* in, HostDataQueue* out) override;

    // IPersistStream, without the settings lock.
    // [any thread]
    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* classId) final;
    // [any thread]
    HRESULT STDMETHODCALLTYPE IsDirty() final;
    // [any thread]
    HRESULT STDMETHODCALLTYPE Load(IStream* stream) final;
    // [any thread]
    HRESULT STDMETHODCALLTYPE Save(IStream* stream, BOOL clearDirty) final;
    // [any thread]
    HRESULT STDMETHODCALLTYPE GetSizeMax(ULARGE_INTEGER* size) final;

    // [window thread] ISpecifyPropertyPages.
    HRESULT STDMETHODCALLTYPE GetPages(CAUUID* pages) final;

    // The identity face, which is also how a page holds the effect.
    IMfxEventFilter* Identity() { return static_cast<IMfxEventFilter*>(this); }
    const EffectIdentity& Ids() const { return identity_; }

    // Shell fields, shared with the page. Parameters the page writes are
    // written under settingsLock one value at a time. The three flags are
    // read by either side without the lock, one whole value at a time.
    CriticalSection settingsLock;
    Relaxed<std::int32_t> enabled{1};      // the page's on/off button; 0 passes everything through
    Relaxed<std::int32_t> refreshFlag{0};  // set by Load and engine changes; the page takes and clears it
    Relaxed<std::int32_t> dirtyFlag{0};    // set by the page's dirtying edits; cleared by Load and Save
    // Deliberately plain: written by the page under the lock, read by Save
    // without it, like every parameter of the settings stream.
    std::int32_t pageWidth = -1;
    std::int32_t pageHeight = -1;
    ComRef<HostTimeService> timeService;
    ComRef<HostPulseService> pulseService;  // only when identity asks for it
    ComRef<HostAuxService> auxService;  // held when Connect found it; only its presence is used
    // The host's input pulses, for the engines that ask for them; ended at
    // Disconnect and when the effect ends, before the pulse service goes.
    LivePulses pulses{pulseService};

protected:
    // [any thread] Load's: reads the engine's fields after the version. A
    // field read after a failed one is left untouched by the reader; the
    // engine checks in.Ok() where it must act between fields. Returns
    // nothing: the shell reports the outcome.
    virtual void LoadFields(SettingsReader& in, std::uint32_t version) = 0;
    // [any thread] Load's, only after a complete read, before the flags change.
    virtual void AfterLoad() {}
    // [any thread] Save's: the engine's fields after the version.
    virtual void SaveFields(SettingsWriter& out) = 0;
    // [host thread] Runs at the end of every Connect, with the shell's own
    // result (S_OK or E_FAIL); the engine returns the final result.
    virtual HRESULT AfterConnect(IUnknown* context, HRESULT result);
    // [host thread] Runs at the start of Disconnect, once the input pulses
    // are ended and before the services are released.
    virtual void BeforeDisconnect() {}
    // [host thread] Runs for every OnStart, OnLoop and OnStop the engine does
    // not override: the song position jumps, so whatever the engine
    // remembers of the song before it is of no further use.
    virtual void OnTransport() {}

    // [any thread] IID_NuvMfxShell: the shell itself, through its identity face.
    IUnknown* OtherInterface(REFIID riid) override;

private:
    void ReleaseServices();

    const EffectIdentity identity_;
};

// Process-wide counters of the module, read by DllCanUnloadNow; changed and
// read only by the interlocked operations of platform/sync.h.
struct ModuleCounters {
    static std::int64_t objectCount;  // effects alive
    static std::int64_t serverLocks;  // LockServer balance
};

}  // namespace nuv

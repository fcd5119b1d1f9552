// The effect shell: interface rules, lifetime, connection, flags and the
// settings-stream framing, through a probe engine with two int32 fields.
#include <gtest/gtest.h>

#include "framework/effect_shell.h"
#include "tests/support/event_builders.h"
#include "tests/support/task_memory.h"
#include "tools/host/services.h"

namespace nuv {
namespace {

using host::HostContext;
using host::MemoryStream;
using testing::StreamImage;

constexpr CLSID kProbeClass = {0x11111111, 0x2222, 0x3333, {1, 2, 3, 4, 5, 6, 7, 8}};
constexpr CLSID kProbePage = {0x44444444, 0x5555, 0x6666, {8, 7, 6, 5, 4, 3, 2, 1}};

class ProbeEffect final : public NuvMfxShell {
public:
    explicit ProbeEffect(bool pulses = false) : NuvMfxShell({kProbeClass, kProbePage, 2, 12, pulses}) {}
    std::int32_t first = 10;
    std::int32_t second = 20;
    int connects = 0;
    int disconnects = 0;
    int transports = 0;
    HRESULT connectResultSeen = S_OK;

protected:
    void LoadFields(SettingsReader& in, std::uint32_t version) override {
        if (version >= 1) in.Field(first);
        if (version >= 2) in.Field(second);
    }
    void SaveFields(SettingsWriter& out) override { out.Field(first).Field(second); }
    HRESULT AfterConnect(IUnknown*, HRESULT result) override {
        ++connects;
        connectResultSeen = result;
        return result;
    }
    void BeforeDisconnect() override { ++disconnects; }
    void OnTransport() override { ++transports; }
};

TEST(EffectShellInterfaces, AnswersItsThreeFacesAndNothingElse) {
    ComRef<ProbeEffect> effect(new ProbeEffect);
    void* face = nullptr;
    EXPECT_EQ(effect->QueryInterface(IID_IUnknown, &face), S_OK);
    EXPECT_EQ(face, static_cast<void*>(effect->Identity()));
    static_cast<IUnknown*>(face)->Release();
    EXPECT_EQ(effect->QueryInterface(IID_IMfxEventFilter, &face), S_OK);
    EXPECT_EQ(face, static_cast<void*>(effect->Identity()));
    static_cast<IUnknown*>(face)->Release();
    EXPECT_EQ(effect->QueryInterface(IID_IPersistStream, &face), S_OK);
    EXPECT_EQ(face, static_cast<void*>(static_cast<IPersistStream*>(effect.Get())));
    static_cast<IUnknown*>(face)->Release();
    EXPECT_EQ(effect->QueryInterface(IID_ISpecifyPropertyPages, &face), S_OK);
    static_cast<IUnknown*>(face)->Release();

    face = reinterpret_cast<void*>(0x1);
    EXPECT_EQ(effect->QueryInterface(IID_IPersist, &face), E_NOINTERFACE);
    EXPECT_EQ(face, nullptr);
    EXPECT_EQ(effect->QueryInterface(IID_IStream, &face), E_NOINTERFACE);
    EXPECT_EQ(effect->QueryInterface(IID_IMfxEventFilter, nullptr), E_POINTER);
}

TEST(EffectShellInterfaces, OwnIdentityHandsOutTheShellWithAReference) {
    ComRef<ProbeEffect> effect(new ProbeEffect);
    void* face = nullptr;
    ASSERT_EQ(effect->QueryInterface(IID_NuvMfxShell, &face), S_OK);
    EXPECT_EQ(face, static_cast<void*>(static_cast<NuvMfxShell*>(effect.Get())));
    EXPECT_EQ(effect->AddRef(), 3u);  // the test's, the query's and this one
    EXPECT_EQ(effect->Release(), 2u);
    static_cast<NuvMfxShell*>(face)->Release();
}

TEST(EffectShellInterfaces, EveryFaceSharesOneReferenceCount) {
    auto* effect = new ProbeEffect;
    IPersistStream* persist = effect;
    EXPECT_EQ(persist->AddRef(), 2u);
    EXPECT_EQ(effect->Identity()->Release(), 1u);
    EXPECT_EQ(static_cast<ISpecifyPropertyPages*>(effect)->AddRef(), 2u);
    EXPECT_EQ(effect->Release(), 1u);
    const std::int64_t alive = ModuleCounters::objectCount;
    EXPECT_EQ(effect->Release(), 0u);
    EXPECT_EQ(ModuleCounters::objectCount, alive - 1);
}

TEST(EffectShellInterfaces, ClassIdSizeAndPages) {
    ComRef<ProbeEffect> effect(new ProbeEffect);
    CLSID id{};
    EXPECT_EQ(effect->GetClassID(&id), S_OK);
    EXPECT_EQ(id, kProbeClass);
    ULARGE_INTEGER size{};
    size.QuadPart = ~0ull;
    EXPECT_EQ(effect->GetSizeMax(&size), S_OK);
    EXPECT_EQ(size.QuadPart, 12u);

    CAUUID pages{};
    ASSERT_EQ(effect->GetPages(&pages), S_OK);
    ASSERT_EQ(pages.cElems, 1u);
    EXPECT_EQ(pages.pElems[0], kProbePage);
    CoTaskMemFree(pages.pElems);

#if !defined(_WIN32)
    platform::FailNextTaskAllocs(1);
    EXPECT_EQ(effect->GetPages(&pages), E_OUTOFMEMORY);
    EXPECT_EQ(pages.pElems, nullptr);
    EXPECT_EQ(pages.cElems, 0u);
#endif
}

TEST(EffectShellConnection, FailsWithoutTimeServiceAndStaysUsable) {
    ComRef<ProbeEffect> effect(new ProbeEffect);
    ComRef<HostContext> context(new HostContext);
    context->offerTime = false;
    EXPECT_EQ(effect->Connect(context.Get()), E_FAIL);
    EXPECT_EQ(effect->timeService, nullptr);
    EXPECT_EQ(effect->connectResultSeen, E_FAIL);
    EXPECT_EQ(effect->Disconnect(), S_OK);
    EXPECT_EQ(effect->Connect(nullptr), E_FAIL);
    EXPECT_EQ(effect->Disconnect(), S_OK);
    // Still a working effect.
    EXPECT_EQ(testing::LoadBytes(*effect, StreamImage().U32(1).I32(5)), S_OK);
    EXPECT_EQ(effect->first, 5);
}

TEST(EffectShellConnection, HoldsServicesUntilDisconnect) {
    ComRef<ProbeEffect> effect(new ProbeEffect);
    ComRef<HostContext> context(new HostContext);
    const std::int32_t timeRefs = context->time->References();
    EXPECT_EQ(effect->Connect(context.Get()), S_OK);
    EXPECT_EQ(effect->timeService, context->time);
    EXPECT_EQ(effect->pulseService, nullptr);
    EXPECT_EQ(effect->auxService, context->aux);
    EXPECT_EQ(context->time->References(), timeRefs + 1);
    EXPECT_EQ(effect->Disconnect(), S_OK);
    EXPECT_EQ(context->time->References(), timeRefs);
    EXPECT_EQ(effect->timeService, nullptr);
    EXPECT_EQ(effect->Disconnect(), S_OK);  // a second Disconnect is harmless
}

TEST(EffectShellConnection, ReconnectDoesNotLeakServices) {
    ComRef<ProbeEffect> effect(new ProbeEffect(true));
    ComRef<HostContext> context(new HostContext);
    const std::int32_t timeRefs = context->time->References();
    const std::int32_t pulseRefs = context->pulse->References();
    EXPECT_EQ(effect->Connect(context.Get()), S_OK);
    EXPECT_EQ(effect->Connect(context.Get()), S_OK);
    EXPECT_EQ(context->time->References(), timeRefs + 1);
    EXPECT_EQ(context->pulse->References(), pulseRefs + 1);
    effect.Reset();  // the destructor releases what Disconnect was never asked to
    EXPECT_EQ(context->time->References(), timeRefs);
    EXPECT_EQ(context->pulse->References(), pulseRefs);
}

TEST(EffectShellConnection, RunningPulsesEndOnceBeforeTheirServiceGoes) {
    ComRef<HostContext> context(new HostContext);
    const std::int32_t pulseRefs = context->pulse->References();
    for (const bool disconnect : {true, false}) {
        ComRef<ProbeEffect> effect(new ProbeEffect(true));
        ASSERT_EQ(effect->Connect(context.Get()), S_OK);
        EXPECT_EQ(effect->pulses.TicksPerPulse(effect->timeService.Get()), 480 * 10 / 500);
        effect->pulses.Begin();
        effect->pulses.Begin();  // running already
        EXPECT_EQ(context->pulse->begins, 1);
        // A host that never disconnects gets them ended when the effect goes.
        if (disconnect) {
            EXPECT_EQ(effect->Disconnect(), S_OK);
        }
        effect.Reset();
        EXPECT_EQ(context->pulse->ends, 1);
        EXPECT_FALSE(context->pulse->running);
        EXPECT_EQ(context->pulse->References(), pulseRefs);
        context->pulse->begins = context->pulse->ends = 0;
    }
}

TEST(EffectShellConnection, ConnectWhileConnectedEndsTheOldConnectionFirst) {
    ComRef<ProbeEffect> effect(new ProbeEffect(true));
    ComRef<HostContext> context(new HostContext);
    EXPECT_EQ(effect->Connect(context.Get()), S_OK);
    EXPECT_EQ(effect->disconnects, 0);  // nothing to end on a first Connect
    EXPECT_EQ(effect->Connect(context.Get()), S_OK);
    EXPECT_EQ(effect->disconnects, 1);
    EXPECT_EQ(effect->Disconnect(), S_OK);
    EXPECT_EQ(effect->disconnects, 2);
    // After a Disconnect nothing is connected, so the next Connect ends nothing.
    EXPECT_EQ(effect->Connect(context.Get()), S_OK);
    EXPECT_EQ(effect->disconnects, 2);
}

TEST(EffectShellConnection, AFailedReconnectKeepsNothingOfTheOldConnection) {
    ComRef<ProbeEffect> effect(new ProbeEffect(true));
    ComRef<HostContext> first(new HostContext);
    ComRef<HostContext> second(new HostContext);
    const std::int32_t auxRefs = first->aux->References();
    EXPECT_EQ(effect->Connect(first.Get()), S_OK);
    EXPECT_EQ(effect->auxService, first->aux);
    second->offerPulse = false;
    EXPECT_EQ(effect->Connect(second.Get()), E_FAIL);
    EXPECT_EQ(effect->pulseService, nullptr);
    EXPECT_EQ(effect->auxService, nullptr);
    EXPECT_EQ(first->aux->References(), auxRefs);
}

TEST(EffectShellConnection, PulseServiceRequiredWhereTheEngineAsks) {
    ComRef<ProbeEffect> effect(new ProbeEffect(true));
    ComRef<HostContext> context(new HostContext);
    context->offerPulse = false;
    EXPECT_EQ(effect->Connect(context.Get()), E_FAIL);
    context->offerPulse = true;
    context->offerAux = false;
    EXPECT_EQ(effect->Connect(context.Get()), S_OK);
    EXPECT_EQ(effect->auxService, nullptr);
    EXPECT_EQ(effect->pulseService, context->pulse);
    EXPECT_EQ(effect->Disconnect(), S_OK);
}

TEST(EffectShellPersistence, SaveWritesVersionThenFields) {
    ComRef<ProbeEffect> effect(new ProbeEffect);
    EXPECT_EQ(testing::SavedBytes(*effect), StreamImage().U32(2).I32(10).I32(20).Bytes());
}

TEST(EffectShellPersistence, SaveClearsDirtyOnlyWhenAsked) {
    ComRef<ProbeEffect> effect(new ProbeEffect);
    EXPECT_EQ(effect->IsDirty(), S_FALSE);
    effect->dirtyFlag = 1;
    testing::SavedBytes(*effect, false);
    EXPECT_EQ(effect->IsDirty(), S_OK);
    testing::SavedBytes(*effect, true);
    EXPECT_EQ(effect->IsDirty(), S_FALSE);
}

TEST(EffectShellPersistence, FailedOrShortWriteStopsAndKeepsDirty) {
    for (int failing = 1; failing <= 3; ++failing) {
        ComRef<ProbeEffect> effect(new ProbeEffect);
        effect->dirtyFlag = 1;
        ComRef<MemoryStream> stream(new MemoryStream);
        stream->writeFailure.FailCall(failing);
        EXPECT_EQ(effect->Save(stream.Get(), 1), E_FAIL) << "write " << failing;
        EXPECT_EQ(stream->Bytes().size(), static_cast<std::size_t>(4 * (failing - 1)));
        EXPECT_EQ(effect->IsDirty(), S_OK);
        // A write that answers S_OK with a byte less is a failure all the same.
        ComRef<MemoryStream> shortened(new MemoryStream);
        shortened->shortWrite.FailCall(failing);
        EXPECT_EQ(effect->Save(shortened.Get(), 1), E_FAIL) << "short write " << failing;
        EXPECT_EQ(effect->IsDirty(), S_OK);
    }
    ComRef<ProbeEffect> effect(new ProbeEffect);
    ComRef<MemoryStream> full(new MemoryStream);
    full->writeLimit = 6;
    EXPECT_EQ(effect->Save(full.Get(), 1), E_FAIL);
}

TEST(EffectShellPersistence, LoadSetsRefreshAndClearsDirty) {
    ComRef<ProbeEffect> effect(new ProbeEffect);
    effect->dirtyFlag = 1;
    EXPECT_EQ(testing::LoadBytes(*effect, StreamImage().U32(2).I32(7).I32(8)), S_OK);
    EXPECT_EQ(effect->first, 7);
    EXPECT_EQ(effect->second, 8);
    EXPECT_EQ(effect->dirtyFlag, 0);
    EXPECT_EQ(effect->refreshFlag, 1);
}

TEST(EffectShellPersistence, OlderVersionLeavesMissingFieldsNewerReadsAsNewest) {
    ComRef<ProbeEffect> effect(new ProbeEffect);
    EXPECT_EQ(testing::LoadBytes(*effect, StreamImage().U32(1).I32(7)), S_OK);
    EXPECT_EQ(effect->first, 7);
    EXPECT_EQ(effect->second, 20);
    EXPECT_EQ(testing::LoadBytes(*effect, StreamImage().U32(0xFFFFFFFFu).I32(1).I32(2).I32(99)), S_OK);
    EXPECT_EQ(effect->first, 1);
    EXPECT_EQ(effect->second, 2);
}

TEST(EffectShellPersistence, StreamShorterThanItsVersionPromisesFailsAndKeepsFlags) {
    ComRef<ProbeEffect> effect(new ProbeEffect);
    effect->dirtyFlag = 1;
    effect->refreshFlag = 0;
    EXPECT_EQ(testing::LoadBytes(*effect, StreamImage().U32(2).I32(7)), E_FAIL);
    EXPECT_EQ(effect->first, 7);  // fields read so far are kept
    EXPECT_EQ(effect->second, 20);
    EXPECT_EQ(effect->dirtyFlag, 1);
    EXPECT_EQ(effect->refreshFlag, 0);
    EXPECT_EQ(testing::LoadBytes(*effect, {}), E_FAIL);
    EXPECT_EQ(testing::LoadBytes(*effect, {2, 0, 0}), E_FAIL);
    EXPECT_EQ(effect->Load(nullptr), E_FAIL);
}

TEST(EffectShellPersistence, ShortOrFailedReadNeverHalfWritesAField) {
    ComRef<ProbeEffect> effect(new ProbeEffect);
    ComRef<MemoryStream> stream(new MemoryStream(StreamImage().U32(2).I32(0x01020304).I32(8)));
    stream->shortRead.FailCall(2);  // the first field arrives one byte short, "successfully"
    EXPECT_EQ(effect->Load(stream.Get()), E_FAIL);
    EXPECT_EQ(effect->first, 10);
    EXPECT_EQ(effect->second, 20);

    ComRef<MemoryStream> faulty(new MemoryStream(StreamImage().U32(2).I32(5).I32(6)));
    faulty->readFailure.FailCall(3);
    EXPECT_EQ(effect->Load(faulty.Get()), E_FAIL);
    EXPECT_EQ(effect->first, 5);
    EXPECT_EQ(effect->second, 20);
}

TEST(EffectShellTransport, DefaultCallsSucceedWithNothingWritten) {
    ComRef<ProbeEffect> effect(new ProbeEffect);
    testing::EventCall call({testing::NoteEvent(0, 60, 100, 10)});
    EXPECT_EQ(effect->OnStart(0, call.out.Get()), S_OK);
    EXPECT_EQ(effect->OnLoop(0, 10, call.out.Get()), S_OK);
    EXPECT_EQ(effect->OnStop(10, call.out.Get()), S_OK);
    EXPECT_EQ(effect->OnEvents(0, 10, call.in.Get(), call.out.Get()), S_OK);
    EXPECT_TRUE(call.Output().empty());
    EXPECT_EQ(effect->transports, 3);  // start, loop and stop, not OnEvents
}

}  // namespace
}  // namespace nuv

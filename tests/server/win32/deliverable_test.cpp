// The six deliverable DLLs through real clients: the system's registration
// tool, COM's own CoCreateInstance through the registry, and the exports
// called straight from the loaded module.
#include <gtest/gtest.h>

#include <string>

#include "framework/host_types.h"
#include "platform/win32/user_owners.h"
#include "tests/server/scenarios.h"
#include "tests/server/golden_file.h"
#include "tests/server/win32/deliverable_module.h"
#include "tests/server/win32/registry_snapshot.h"
#include "tests/support/event_builders.h"
#include "tools/host/memory_stream.h"
#include "tools/host/services.h"

namespace nuv::testing {
namespace {

struct Facts {
    const char* name;
    const wchar_t* effectKey;  // CLSID\{...}
    const wchar_t* pageKey;
    std::uint32_t streamSize;
    int templateWidth;  // dialog units
    int templateHeight;
    bool bordered;
    int backgroundId;
    int backgroundWidth;  // pixels
    int backgroundHeight;
    const wchar_t* title;  // string 1039, or null where the deliverable has none
};

const Facts kDeliverables[] = {
    {"NuvShiftwell", L"{5E7C05D8-1032-4CAF-A6CB-1F86E0A4AF3D}", L"{729416F6-C020-4FFD-AD4F-AE564EE35710}", 28, 376,
     102, false, 138, 572, 169, nullptr},
    {"NuvOndulo", L"{0AF8549C-6171-413C-B3F2-22528219FEF9}", L"{14DAB62B-07D3-4C71-B1E9-9F194541D98B}", 64, 476, 124,
     false, 130, 714, 200, nullptr},
    {"NuvSloppet", L"{500F07AA-BBB6-40FE-9CF3-7158B8F5E940}", L"{5AC1699A-1189-4231-92BD-BECD3F7E717F}", 29, 388, 106,
     true, 130, 572, 169, nullptr},
    {"NuvGapkeeper", L"{64BAACC1-F425-4356-8FEF-294BBDC99514}", L"{CEC5E016-5C3D-4986-BE16-841B450DC3FC}", 21, 399,
     102, true, 130, 572, 169, nullptr},
    {"NuvVelocurveV2", L"{B0D2C5BE-6E1A-40DD-AC44-6EA9B52B88F7}", L"{CE1542ED-9347-4B64-9857-E0F5A1D4948C}", 49, 405,
     124, false, 130, 572, 169, L"Velocurve V2"},
    {"NuvWobbleton", L"{D029B552-195C-4090-B38C-66E7517AF394}", L"{5CA472DE-37C8-4219-96E6-C8ED177ACA80}", 20, 411,
     124, false, 130, 572, 169, L"Wobbleton"},
};

std::wstring Wide(const char* text) { return std::wstring(text, text + std::strlen(text)); }

CLSID ClassOf(const wchar_t* text) {
    CLSID id{};
    CLSIDFromString(text, &id);
    return id;
}

class Deliverable : public ::testing::TestWithParam<Facts> {
protected:
    static void SetUpTestSuite() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    static void TearDownTestSuite() { CoUninitialize(); }
    // Whatever a scenario made, through COM or the exports, is gone again.
    void TearDown() override {
        EXPECT_EQ(LoadedDeliverableCanUnloadNow(path), S_OK) << facts.name << " kept an object or a lock alive";
    }

    const Facts& facts = GetParam();
    const std::wstring path = DeliverablePath(facts.name);
    const CLSID effectClass = ClassOf(facts.effectKey);
    const CLSID pageClass = ClassOf(facts.pageKey);

    long Regsvr32(const wchar_t* options) { return RunProgram(L"regsvr32.exe " + std::wstring(options) + L" \"" + path + L"\""); }
    std::wstring ExpectedClassKey(const std::wstring& name) {
        const std::wstring bytes = std::to_wstring((name.size() + 1) * 2);
        const std::wstring pathBytes = std::to_wstring((path.size() + 1) * 2);
        return L"[]\n  @ REG_SZ " + bytes + L" " + name + L"\n[InprocServer32]\n  @ REG_SZ " + pathBytes + L" " +
               path + L"\n";
    }
    std::wstring FilterKey() {
        return std::wstring(L"Software\\" NUV_HOST_VENDOR L"\\MIDI Filters\\") + facts.effectKey;
    }
};

// The effect that COM made from the registry answers on every face as the host uses it.
void CheckEffect(IUnknown* effect, const Facts& facts, REFCLSID effectClass, REFCLSID pageClass) {
    auto filter = QueryFace<IMfxEventFilter>(effect, IID_IMfxEventFilter);
    auto persist = QueryFace<IPersistStream>(effect, IID_IPersistStream);
    auto pages = QueryFace<ISpecifyPropertyPages>(effect, IID_ISpecifyPropertyPages);
    ASSERT_TRUE(filter && persist && pages);
    EXPECT_FALSE(QueryFace<IPersist>(effect, IID_IPersist));

    CLSID classId{};
    EXPECT_EQ(persist->GetClassID(&classId), S_OK);
    EXPECT_TRUE(IsEqualCLSID(classId, effectClass));
    ULARGE_INTEGER size{};
    EXPECT_EQ(persist->GetSizeMax(&size), S_OK);
    EXPECT_EQ(size.QuadPart, facts.streamSize);
    CAUUID list{};
    ASSERT_EQ(pages->GetPages(&list), S_OK);
    ASSERT_EQ(list.cElems, 1u);
    EXPECT_TRUE(IsEqualCLSID(list.pElems[0], pageClass));
    CoTaskMemFree(list.pElems);

    ComRef<host::HostContext> context(new host::HostContext);
    EXPECT_EQ(filter->Connect(context.Get()), S_OK);
    const std::vector<std::uint8_t> saved = SavedBytes(*persist);
    EXPECT_EQ(saved.size(), facts.streamSize);
    ComRef<host::MemoryStream> stream(new host::MemoryStream(saved));
    EXPECT_EQ(persist->Load(stream.Get()), S_OK);
    EXPECT_EQ(filter->Disconnect(), S_OK);
}

// The page that COM made reports its template's size in pixels (the
// template's font at 96 DPI: 6 x 13 pixels per 4 x 8 dialog units).
void CheckPage(IUnknown* page, const Facts& facts) {
    auto propertyPage = QueryFace<IPropertyPage>(page, IID_IPropertyPage);
    ASSERT_TRUE(propertyPage);
    PROPPAGEINFO info{};
    EXPECT_EQ(propertyPage->GetPageInfo(&info), S_OK);
    const int border = facts.bordered ? 2 : 0;
    EXPECT_EQ(info.size.cx, MulDiv(facts.templateWidth, 6, 4) + border);
    EXPECT_EQ(info.size.cy, MulDiv(facts.templateHeight, 13, 8) + border);
}

TEST_P(Deliverable, RegistersThroughTheSystemToolAndIsCreatedThroughTheRegistry) {
    ASSERT_EQ(Regsvr32(L"/s"), 0);
    EXPECT_EQ(SnapshotKey(HKEY_CLASSES_ROOT, std::wstring(L"CLSID\\") + facts.effectKey),
              ExpectedClassKey(Wide(facts.name)));
    EXPECT_EQ(SnapshotKey(HKEY_CLASSES_ROOT, std::wstring(L"CLSID\\") + facts.pageKey),
              ExpectedClassKey(Wide(facts.name) + L" Property Page"));
    EXPECT_EQ(SnapshotKey(HKEY_LOCAL_MACHINE, FilterKey()), L"[]\n");

    IUnknown* effect = nullptr;
    ASSERT_EQ(CoCreateInstance(effectClass, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                               reinterpret_cast<void**>(&effect)),
              S_OK);
    CheckEffect(effect, facts, effectClass, pageClass);
    effect->Release();

    IUnknown* page = nullptr;
    ASSERT_EQ(CoCreateInstance(pageClass, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                               reinterpret_cast<void**>(&page)),
              S_OK);
    CheckPage(page, facts);
    page->Release();

    ASSERT_EQ(Regsvr32(L"/u /s"), 0);
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, std::wstring(L"CLSID\\") + facts.effectKey));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, std::wstring(L"CLSID\\") + facts.pageKey));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, FilterKey()));
    void* none = nullptr;
    EXPECT_EQ(CoCreateInstance(effectClass, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, &none),
              REGDB_E_CLASSNOTREG);
}

TEST_P(Deliverable, RegisteringTwiceLeavesTheSameKeysAndUnregisteringACleanRegistrySucceeds) {
    ASSERT_EQ(Regsvr32(L"/s"), 0);
    const std::wstring effectKey = SnapshotKey(HKEY_CLASSES_ROOT, std::wstring(L"CLSID\\") + facts.effectKey);
    const std::wstring pageKey = SnapshotKey(HKEY_CLASSES_ROOT, std::wstring(L"CLSID\\") + facts.pageKey);
    ASSERT_EQ(Regsvr32(L"/s"), 0);
    EXPECT_EQ(SnapshotKey(HKEY_CLASSES_ROOT, std::wstring(L"CLSID\\") + facts.effectKey), effectKey);
    EXPECT_EQ(SnapshotKey(HKEY_CLASSES_ROOT, std::wstring(L"CLSID\\") + facts.pageKey), pageKey);
    EXPECT_EQ(Regsvr32(L"/u /s"), 0);
    EXPECT_EQ(Regsvr32(L"/u /s"), 0);
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, std::wstring(L"CLSID\\") + facts.effectKey));
}

TEST_P(Deliverable, ExportsAnswerAsTheHostAndCOMExpect) {
    DeliverableModule module(path);
    ASSERT_TRUE(module.Loaded());
    EXPECT_EQ(module.CanUnloadNow(), S_OK);

    const CLSID unknown = {0x01234567, 0x89AB, 0xCDEF, {1, 2, 3, 4, 5, 6, 7, 8}};
    void* out = reinterpret_cast<void*>(1);
    EXPECT_EQ(module.GetClassObject(unknown, IID_IClassFactory, &out), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(module.CanUnloadNow(), S_OK) << "an unknown class made something";

    for (const CLSID& classId : {effectClass, pageClass}) {
        void* factory = nullptr;
        ASSERT_EQ(module.GetClassObject(classId, IID_IClassFactory, &factory), S_OK);
        auto* classFactory = static_cast<IClassFactory*>(factory);
        IUnknown* outer = QueryFace<IUnknown>(classFactory, IID_IUnknown).Get();
        void* made = reinterpret_cast<void*>(1);
        EXPECT_EQ(classFactory->CreateInstance(outer, IID_IUnknown, &made), CLASS_E_NOAGGREGATION);
        EXPECT_EQ(made, nullptr);

        EXPECT_EQ(classFactory->LockServer(TRUE), S_OK);
        EXPECT_EQ(module.CanUnloadNow(), S_FALSE);
        EXPECT_EQ(classFactory->LockServer(FALSE), S_OK);
        EXPECT_EQ(module.CanUnloadNow(), S_OK);
        classFactory->Release();
    }

    IUnknown* effect = module.Create(effectClass);
    ASSERT_NE(effect, nullptr);
    EXPECT_EQ(module.CanUnloadNow(), S_FALSE) << "a live effect keeps the module";
    effect->Release();
    EXPECT_EQ(module.CanUnloadNow(), S_OK);

    IUnknown* page = module.Create(pageClass);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(module.CanUnloadNow(), S_OK) << "a page alone does not keep the module";
    page->Release();
}

// A host that gives up half way, or calls wrongly, still leaves nothing of
// the module alive: a factory or an object whose query failed, an effect
// whose Connect, Load or Save failed, a page linked to something that is no
// effect, and a page released while still linked and open.
TEST_P(Deliverable, FailuresHalfWayLeaveNothingAlive) {
    DeliverableModule module(path);
    ASSERT_TRUE(module.Loaded());

    void* out = nullptr;
    EXPECT_EQ(module.GetClassObject(effectClass, IID_IPersistStream, &out), E_NOINTERFACE);
    void* factory = nullptr;
    ASSERT_EQ(module.GetClassObject(effectClass, IID_IClassFactory, &factory), S_OK);
    EXPECT_EQ(static_cast<IClassFactory*>(factory)->CreateInstance(nullptr, IID_IClassFactory, &out), E_NOINTERFACE);
    static_cast<IClassFactory*>(factory)->Release();
    EXPECT_EQ(module.CanUnloadNow(), S_OK) << "a failed query left an object";

    {
        ComRef<IUnknown> effect(module.Create(effectClass));
        ASSERT_TRUE(effect);
        auto filter = QueryFace<IMfxEventFilter>(effect.Get(), IID_IMfxEventFilter);
        auto persist = QueryFace<IPersistStream>(effect.Get(), IID_IPersistStream);
        ComRef<host::HostContext> context(new host::HostContext);
        context->offerTime = false;
        EXPECT_EQ(filter->Connect(context.Get()), E_FAIL);
        EXPECT_EQ(filter->Disconnect(), S_OK);
        ComRef<host::MemoryStream> cutShort(new host::MemoryStream(std::vector<std::uint8_t>{2, 0, 0, 0, 1}));
        EXPECT_EQ(persist->Load(cutShort.Get()), E_FAIL);
        ComRef<host::MemoryStream> full(new host::MemoryStream);
        full->writeFailure.FailCall(2);
        EXPECT_EQ(persist->Save(full.Get(), TRUE), E_FAIL);
    }
    EXPECT_EQ(module.CanUnloadNow(), S_OK) << "a failed Connect, Load or Save kept the effect";

    const win32::WindowOwner host(CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr,
                                                  nullptr, nullptr, nullptr));
    ComRef<IUnknown> effect(module.Create(effectClass));
    ASSERT_TRUE(effect);
    {
        auto page = QueryFace<IPropertyPage>(ComRef<IUnknown>(module.Create(pageClass)).Get(), IID_IPropertyPage);
        ASSERT_TRUE(page);
        ComRef<host::HostContext> notAnEffect(new host::HostContext);
        IUnknown* foreign[] = {notAnEffect.Get()};
        EXPECT_EQ(page->SetObjects(1, foreign), E_NOINTERFACE);
        IUnknown* objects[] = {effect.Get()};
        ASSERT_EQ(page->SetObjects(1, objects), S_OK);
        const RECT place{0, 0, 200, 100};
        ASSERT_EQ(page->Activate(host.Get(), &place, FALSE), S_OK);
        // Released while linked and open: the page lets go of both.
    }
    effect.Reset();
    EXPECT_EQ(module.CanUnloadNow(), S_OK) << "a page released while linked kept its effect";
}

// The scenarios give, byte for byte, the outputs recorded from the engines
// (natively and in this program), through the DLL's own engine.
TEST_P(Deliverable, GivesTheSameOutputAsTheEnginesBuiltIntoTests) {
    DeliverableModule module(path);
    ASSERT_TRUE(module.Loaded());
    const scenarios::GoldenTable golden = scenarios::ReadGolden(scenarios::GoldenFilePath());
    std::size_t checked = 0;
    for (const scenarios::Deliverable& deliverable : scenarios::AllDeliverables()) {
        if (deliverable.name != facts.name) continue;
        for (const scenarios::Variant& variant : deliverable.variants) {
            IUnknown* effect = module.Create(deliverable.effectClass);
            ASSERT_NE(effect, nullptr);
            const scenarios::Bytes throughDll = scenarios::Run(effect, variant.settings);
            effect->Release();
            NuvMfxShell* local = deliverable.makeLocal();
            const scenarios::Bytes throughLocal = scenarios::Run(local->Identity(), variant.settings);
            local->Release();

            const std::string key = scenarios::KeyOf(deliverable, variant);
            EXPECT_EQ(scenarios::FirstDifference(throughDll, throughLocal), -1)
                << key << ": " << scenarios::DescribeDifference(throughLocal, throughDll);
            const auto recorded = golden.find(key);
            ASSERT_NE(recorded, golden.end()) << key << " is not recorded";
            EXPECT_TRUE(recorded->second == scenarios::ToHex(throughDll))
                << key << ": " << scenarios::DescribeDifference(scenarios::FromHex(recorded->second), throughDll);
            ++checked;
        }
    }
    EXPECT_GT(checked, 0u) << facts.name << " has no scenarios";
}

TEST_P(Deliverable, CarriesItsPageTemplateBackgroundAndTitle) {
    DeliverableModule module(path);
    ASSERT_TRUE(module.Loaded());
    EXPECT_NE(FindResourceW(module.Handle(), MAKEINTRESOURCEW(102), MAKEINTRESOURCEW(5)), nullptr)
        << "dialog 102";

    const HBITMAP background = LoadBitmapW(module.Handle(), MAKEINTRESOURCEW(facts.backgroundId));
    ASSERT_NE(background, nullptr) << "bitmap " << facts.backgroundId;
    BITMAP shape{};
    GetObjectW(background, sizeof shape, &shape);
    EXPECT_EQ(shape.bmWidth, facts.backgroundWidth);
    EXPECT_EQ(shape.bmHeight, facts.backgroundHeight);
    DeleteObject(background);
    const HRSRC stored = FindResourceW(module.Handle(), MAKEINTRESOURCEW(facts.backgroundId), MAKEINTRESOURCEW(2));
    ASSERT_NE(stored, nullptr);
    const auto* header = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(module.Handle(), stored)));
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->biBitCount, 24);
    // Only the deliverable's own bitmap: the other number is free.
    const int otherId = facts.backgroundId == 130 ? 138 : 130;
    EXPECT_EQ(FindResourceW(module.Handle(), MAKEINTRESOURCEW(otherId), MAKEINTRESOURCEW(2)), nullptr);

    wchar_t title[64] = {};
    const int length = LoadStringW(module.Handle(), 1039, title, 64);
    if (facts.title == nullptr) {
        EXPECT_EQ(length, 0);
    } else {
        EXPECT_STREQ(title, facts.title);
    }
}

// Each DLL carries its own copy of the framework: an effect alive in one
// keeps only that one loaded.
TEST(Deliverables, KeepTheirCountsApart) {
    DeliverableModule shiftwell(DeliverablePath("NuvShiftwell"));
    DeliverableModule ondulo(DeliverablePath("NuvOndulo"));
    ASSERT_TRUE(shiftwell.Loaded() && ondulo.Loaded());
    IUnknown* effect = shiftwell.Create(ClassOf(kDeliverables[0].effectKey));
    ASSERT_NE(effect, nullptr);
    EXPECT_EQ(shiftwell.CanUnloadNow(), S_FALSE);
    EXPECT_EQ(ondulo.CanUnloadNow(), S_OK);
    EXPECT_EQ(ondulo.Create(ClassOf(kDeliverables[0].effectKey)), nullptr) << "a class of another DLL";
    effect->Release();
    EXPECT_EQ(shiftwell.CanUnloadNow(), S_OK);
}

INSTANTIATE_TEST_SUITE_P(Six, Deliverable, ::testing::ValuesIn(kDeliverables),
                         [](const ::testing::TestParamInfo<Facts>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace nuv::testing

// The COM server code of every deliverable, linked into this program with a
// test deliverable of its own: the factories, the module counts and the
// registry entries, written into scratch keys instead of the machine's.
#include <gtest/gtest.h>

#include <new>
#include <string>

#include "framework/page/property_page.h"
#include "framework/server/class_factories.h"
#include "framework/server/registration.h"
#include "plugins/gapkeeper/gapkeeper_effect.h"
#include "platform/win32/registry_key.h"
#include "tests/server/win32/registry_snapshot.h"

namespace nuv::server {

namespace {
// Pages the test deliverable's page maker has made.
int g_pagesMade = 0;
NuvMfxPropertyPage* MakeCountedPage() {
    ++g_pagesMade;
    return CreatePage<>();
}
}  // namespace

const ServerIdentity& ThisServer() {
    static constexpr ServerIdentity server =
        IdentityOf<gapkeeper::NuvMfx>(L"NuvTestServer", gapkeeper::kIdentity, &MakeCountedPage);
    return server;
}

namespace {

using testing::KeyExists;
using testing::ScratchKey;
using testing::SnapshotKey;

constexpr wchar_t kEffectKey[] = L"CLSID\\{64BAACC1-F425-4356-8FEF-294BBDC99514}";
constexpr wchar_t kPageKey[] = L"CLSID\\{CEC5E016-5C3D-4986-BE16-841B450DC3FC}";
constexpr wchar_t kFilterKey[] = L"Software\\" NUV_HOST_VENDOR L"\\MIDI Filters\\{64BAACC1-F425-4356-8FEF-294BBDC99514}";
constexpr wchar_t kModule[] = L"C:\\Plug-ins\\NuvTestServer.dll";
constexpr CLSID kUnknownClass = {0x01234567, 0x89AB, 0xCDEF, {1, 2, 3, 4, 5, 6, 7, 8}};

std::int64_t LiveEffects() { return InterlockedRead64(&ModuleCounters::objectCount); }

// ---- factories and module counts ------------------------------------------

class ServerObjects : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(LiveEffects(), 0);
        ASSERT_EQ(CanUnloadNow(), S_OK);
    }
    void TearDown() override { EXPECT_EQ(CanUnloadNow(), S_OK) << "an object or a lock was left over"; }

    IClassFactory* Factory(REFCLSID classId) {
        void* factory = nullptr;
        EXPECT_EQ(GetClassObject(classId, IID_IClassFactory, &factory), S_OK);
        return static_cast<IClassFactory*>(factory);
    }
};

TEST_F(ServerObjects, AClassOfNeitherKindIsNotAvailableAndMakesNothing) {
    void* out = reinterpret_cast<void*>(1);
    EXPECT_EQ(GetClassObject(kUnknownClass, IID_IClassFactory, &out), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(LiveEffects(), 0);
    EXPECT_EQ(GetClassObject(gapkeeper::CLSID_NuvGapkeeper, IID_IClassFactory, nullptr), E_POINTER);
}

TEST_F(ServerObjects, AFactoryAnswersOnlyForItsOwnInterfaces) {
    void* out = reinterpret_cast<void*>(1);
    EXPECT_EQ(GetClassObject(gapkeeper::CLSID_NuvGapkeeper, IID_IPersistStream, &out), E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);

    IClassFactory* factory = Factory(gapkeeper::CLSID_NuvGapkeeper);
    ASSERT_NE(factory, nullptr);
    void* unknown = nullptr;
    ASSERT_EQ(factory->QueryInterface(IID_IUnknown, &unknown), S_OK);
    EXPECT_EQ(unknown, static_cast<void*>(factory));
    EXPECT_EQ(factory->QueryInterface(IID_IMfxEventFilter, &out), E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
    // The query added one reference to the one the factory was handed out with.
    EXPECT_EQ(static_cast<IUnknown*>(unknown)->Release(), 1u);
    EXPECT_EQ(factory->Release(), 0u);
}

TEST_F(ServerObjects, BothFactoriesRefuseAnOuterObject) {
    IUnknown* outer = reinterpret_cast<IUnknown*>(static_cast<std::uintptr_t>(0x1000));
    for (const CLSID& classId : {gapkeeper::CLSID_NuvGapkeeper, gapkeeper::CLSID_NuvGapkeeperPage}) {
        IClassFactory* factory = Factory(classId);
        ASSERT_NE(factory, nullptr);
        void* made = reinterpret_cast<void*>(1);
        EXPECT_EQ(factory->CreateInstance(outer, IID_IUnknown, &made), CLASS_E_NOAGGREGATION);
        EXPECT_EQ(made, nullptr);
        EXPECT_EQ(LiveEffects(), 0);
        factory->Release();
    }
}

TEST_F(ServerObjects, TheEffectFactoryMakesACountedEffectWithAllItsFaces) {
    IClassFactory* factory = Factory(gapkeeper::CLSID_NuvGapkeeper);
    ASSERT_NE(factory, nullptr);
    void* made = nullptr;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IPersistStream, &made), S_OK);
    factory->Release();
    auto* persist = static_cast<IPersistStream*>(made);
    EXPECT_EQ(LiveEffects(), 1);
    EXPECT_EQ(CanUnloadNow(), S_FALSE);

    CLSID classId{};
    EXPECT_EQ(persist->GetClassID(&classId), S_OK);
    EXPECT_TRUE(IsEqualCLSID(classId, gapkeeper::CLSID_NuvGapkeeper));
    void* pages = nullptr;
    EXPECT_EQ(persist->QueryInterface(IID_ISpecifyPropertyPages, &pages), S_OK);
    static_cast<IUnknown*>(pages)->Release();
    // The requested face holds the only reference: releasing it ends the effect.
    EXPECT_EQ(persist->Release(), 0u);
    EXPECT_EQ(LiveEffects(), 0);
}

TEST_F(ServerObjects, AFailedQueryOnANewEffectDestroysItAgain) {
    IClassFactory* factory = Factory(gapkeeper::CLSID_NuvGapkeeper);
    ASSERT_NE(factory, nullptr);
    void* made = reinterpret_cast<void*>(1);
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IPersist, &made), E_NOINTERFACE);
    EXPECT_EQ(made, nullptr);
    EXPECT_EQ(LiveEffects(), 0);
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, nullptr), E_POINTER);
    factory->Release();
}

TEST_F(ServerObjects, ThePageFactoryMakesAnUncountedPageWithTheServersMaker) {
    IClassFactory* factory = Factory(gapkeeper::CLSID_NuvGapkeeperPage);
    ASSERT_NE(factory, nullptr);
    void* made = nullptr;
    const int pagesBefore = g_pagesMade;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IPropertyPage, &made), S_OK);
    EXPECT_EQ(g_pagesMade, pagesBefore + 1);
    EXPECT_EQ(LiveEffects(), 0);
    EXPECT_EQ(CanUnloadNow(), S_OK) << "pages do not keep the module";
    EXPECT_EQ(static_cast<IPropertyPage*>(made)->Release(), 0u);

    made = reinterpret_cast<void*>(1);
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IMfxEventFilter, &made), E_NOINTERFACE);
    EXPECT_EQ(made, nullptr);
    factory->Release();
}

TEST_F(ServerObjects, ServerLocksKeepTheModuleUntilEveryOneIsUndone) {
    IClassFactory* factory = Factory(gapkeeper::CLSID_NuvGapkeeperPage);
    ASSERT_NE(factory, nullptr);
    EXPECT_EQ(factory->LockServer(TRUE), S_OK);
    EXPECT_EQ(factory->LockServer(TRUE), S_OK);
    factory->Release();  // a lock outlives the factory that took it
    EXPECT_EQ(CanUnloadNow(), S_FALSE);
    factory = Factory(gapkeeper::CLSID_NuvGapkeeper);
    EXPECT_EQ(factory->LockServer(FALSE), S_OK);
    EXPECT_EQ(CanUnloadNow(), S_FALSE);
    EXPECT_EQ(factory->LockServer(FALSE), S_OK);
    EXPECT_EQ(CanUnloadNow(), S_OK);
    factory->Release();
}

TEST_F(ServerObjects, AnEffectAndALockEachKeepTheModule) {
    IClassFactory* factory = Factory(gapkeeper::CLSID_NuvGapkeeper);
    ASSERT_NE(factory, nullptr);
    void* made = nullptr;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, &made), S_OK);
    factory->LockServer(TRUE);
    static_cast<IUnknown*>(made)->Release();
    EXPECT_EQ(CanUnloadNow(), S_FALSE) << "the lock still holds";
    factory->LockServer(FALSE);
    factory->Release();
}

// An effect whose constructor runs out of memory after the shell's own.
class ExhaustedEffect final : public NuvMfxShell {
public:
    ExhaustedEffect() : NuvMfxShell(gapkeeper::kIdentity) { throw std::bad_alloc(); }

protected:
    void LoadFields(SettingsReader&, std::uint32_t) override {}
    void SaveFields(SettingsWriter&) override {}
};

TEST_F(ServerObjects, AnEffectConstructorOutOfMemoryGivesNoObjectAndNoCount) {
    EXPECT_EQ(CreateZeroedEffect<ExhaustedEffect>(), nullptr);
    EXPECT_EQ(LiveEffects(), 0);
}

// ---- registration ----------------------------------------------------------

class Registration : public ::testing::Test {
protected:
    ScratchKey scratch{L"registration"};
    RegistryRoots roots{scratch.Child(L"classes"), scratch.Child(L"machine")};
};

TEST_F(Registration, WritesExactlyTheClassKeysAndTheFilterKey) {
    EXPECT_EQ(RegisterServer(ThisServer(), kModule, roots), S_OK);
    // Default values only (no ThreadingModel), REG_SZ with the terminating null.
    EXPECT_EQ(SnapshotKey(roots.classes, L""),
              L"[]\n[CLSID]\n"
              L"[CLSID\\{64BAACC1-F425-4356-8FEF-294BBDC99514}]\n  @ REG_SZ 28 NuvTestServer\n"
              L"[CLSID\\{64BAACC1-F425-4356-8FEF-294BBDC99514}\\InprocServer32]\n"
              L"  @ REG_SZ 60 C:\\Plug-ins\\NuvTestServer.dll\n"
              L"[CLSID\\{CEC5E016-5C3D-4986-BE16-841B450DC3FC}]\n  @ REG_SZ 56 NuvTestServer Property Page\n"
              L"[CLSID\\{CEC5E016-5C3D-4986-BE16-841B450DC3FC}\\InprocServer32]\n"
              L"  @ REG_SZ 60 C:\\Plug-ins\\NuvTestServer.dll\n");
    EXPECT_EQ(SnapshotKey(roots.machine, L""),
              L"[]\n[Software]\n[Software\\" NUV_HOST_VENDOR L"]\n[Software\\" NUV_HOST_VENDOR L"\\MIDI Filters]\n"
              L"[" + std::wstring(kFilterKey) + L"]\n");
}

TEST_F(Registration, RegisteringTwiceLeavesTheSameKeys) {
    RegisterServer(ThisServer(), kModule, roots);
    const std::wstring classes = SnapshotKey(roots.classes, L"");
    const std::wstring machine = SnapshotKey(roots.machine, L"");
    EXPECT_EQ(RegisterServer(ThisServer(), kModule, roots), S_OK);
    EXPECT_EQ(SnapshotKey(roots.classes, L""), classes);
    EXPECT_EQ(SnapshotKey(roots.machine, L""), machine);
}

TEST_F(Registration, ANewPathReplacesTheOldOne) {
    RegisterServer(ThisServer(), kModule, roots);
    RegisterServer(ThisServer(), L"D:\\Elsewhere\\N.dll", roots);
    EXPECT_EQ(SnapshotKey(roots.classes, std::wstring(kEffectKey) + L"\\InprocServer32"),
              L"[]\n  @ REG_SZ 38 D:\\Elsewhere\\N.dll\n");
}

TEST_F(Registration, UnregisteringRemovesEverythingUnderTheKeysAndNothingBeside) {
    RegisterServer(ThisServer(), kModule, roots);
    // What a host or a user may have added under the keys goes with them.
    {
        win32::RegistryKey deep;
        ASSERT_TRUE(deep.Create(roots.classes, (std::wstring(kEffectKey) + L"\\Extra\\Deeper\\Deepest").c_str()));
        const DWORD one = 1;
        RegSetValueExW(deep.Get(), L"ThreadingModel", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), sizeof one);
        win32::RegistryKey sibling;
        ASSERT_TRUE(sibling.Create(roots.classes, L"CLSID\\{00000000-0000-0000-0000-000000000001}"));
    }

    EXPECT_EQ(UnregisterServer(ThisServer(), roots), S_OK);
    EXPECT_FALSE(KeyExists(roots.classes, kEffectKey));
    EXPECT_FALSE(KeyExists(roots.classes, kPageKey));
    EXPECT_FALSE(KeyExists(roots.machine, kFilterKey));
    EXPECT_TRUE(KeyExists(roots.classes, L"CLSID\\{00000000-0000-0000-0000-000000000001}"));
    EXPECT_TRUE(KeyExists(roots.machine, L"Software\\" NUV_HOST_VENDOR L"\\MIDI Filters"));
}

TEST_F(Registration, UnregisteringACleanRegistrySucceedsAndCreatesNothing) {
    EXPECT_EQ(UnregisterServer(ThisServer(), roots), S_OK);
    EXPECT_EQ(SnapshotKey(roots.classes, L""), L"[]\n");
    EXPECT_EQ(SnapshotKey(roots.machine, L""), L"[]\n");
}

TEST_F(Registration, AKeyThatCannotBeWrittenIsReportedAndTheOthersAreStillWritten) {
    // A classes root that was deleted under its open handle takes no new keys.
    HKEY gone = scratch.Child(L"gone");
    ASSERT_EQ(RegDeleteKeyW(scratch.Get(), L"gone"), ERROR_SUCCESS);
    const RegistryRoots partly{gone, roots.machine};
    EXPECT_EQ(RegisterServer(ThisServer(), kModule, partly), SELFREG_E_CLASS);
    EXPECT_FALSE(KeyExists(scratch.Get(), L"gone"));
    EXPECT_EQ(SnapshotKey(roots.machine, kFilterKey), L"[]\n") << "the filter key is written all the same";
}

TEST_F(Registration, DeletingATreeTakesEveryLevelAndEverySibling) {
    HKEY root = scratch.Child(L"tree");
    std::wstring path;
    for (int level = 0; level < 12; ++level) {
        path += (level == 0 ? L"" : L"\\") + std::wstring(L"level") + std::to_wstring(level);
        for (int sibling = 0; sibling < 3; ++sibling) {
            win32::RegistryKey made;
            ASSERT_TRUE(made.Create(root, (path + L"\\s" + std::to_wstring(sibling)).c_str()));
        }
    }
    EXPECT_TRUE(DeleteKeyTree(root, L"level0"));
    EXPECT_EQ(SnapshotKey(root, L""), L"[]\n");
    EXPECT_FALSE(DeleteKeyTree(root, L"level0")) << "nothing left to delete";
}

TEST(ModulePath, AShortBufferGivesNoPathRatherThanACutOne) {
    wchar_t path[520];
    ASSERT_TRUE(ModulePath(nullptr, path, 520));
    const std::size_t length = std::wcslen(path);
    wchar_t shortPath[8];
    EXPECT_EQ(length >= 8, !ModulePath(nullptr, shortPath, 8));
}

}  // namespace
}  // namespace nuv::server

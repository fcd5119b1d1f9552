// The page in a property frame that the system provides (and no one here
// wrote): the frame creates the page through its class factory, links the
// effect, activates and shows the page, and tears it down when closed. The
// test acts from inside the frame's modal loop, at the page's refresh ticks.
#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <thread>

#include "tests/page/support/probe_page.h"
#include "platform/com_object.h"
#include "platform/com_ref.h"
#include "tools/host/memory_stream.h"

namespace nuv::page_test {
namespace {

class ProbePageFactory final : public ComObject<IClassFactory> {
public:
    // Window thread, from the frame.
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override {
        if (ppv == nullptr) return E_POINTER;
        *ppv = nullptr;
        if (outer != nullptr) return CLASS_E_NOAGGREGATION;
        ProbePage* page = new (std::nothrow) ProbePage;
        if (page == nullptr) return E_OUTOFMEMORY;
        if (onCreate) onCreate(*page);
        const HRESULT result = page->QueryInterface(riid, ppv);
        page->Release();
        return result;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

    std::function<void(ProbePage&)> onCreate;
};

// Closes every window of a thread with a posted cancel command if the test
// has not finished by then, so that a frame that never closes fails the test
// instead of hanging it.
class Watchdog {
public:
    explicit Watchdog(DWORD thread) : thread_([this, thread] { Watch(thread); }) {}
    ~Watchdog() {
        {
            std::lock_guard<std::mutex> hold(mutex_);
            done_ = true;
        }
        wake_.notify_all();
        thread_.join();
    }
    bool Fired() const { return fired_; }

private:
    static BOOL CALLBACK Cancel(HWND window, LPARAM) {
        PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
        return TRUE;
    }
    void Watch(DWORD thread) {
        std::unique_lock<std::mutex> hold(mutex_);
        if (wake_.wait_for(hold, std::chrono::seconds(20), [this] { return done_; })) return;
        fired_ = true;
        EnumThreadWindows(thread, &Cancel, 0);
    }

    std::mutex mutex_;
    std::condition_variable wake_;
    bool done_ = false;
    bool fired_ = false;
    std::thread thread_;
};

std::vector<std::uint8_t> StreamWithLevel(std::int32_t level) {
    std::vector<std::uint8_t> bytes;
    for (std::int32_t v : {1, -1, -1, level, 0}) {
        for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> (8 * i)));
    }
    return bytes;
}

// What the page saw inside the frame.
struct FrameVisit {
    bool hadSite = false;
    bool linked = false;
    bool visible = false;
    bool childOfFrame = false;
    int ticksToShowLoad = -1;  // from the Load to the refresh that showed it
};

TEST(SystemPropertyFrame, ShowsThePageAndCarriesALoadToIt) {
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    ComRef<ProbeEffect> effect(new ProbeEffect);
    ComRef<ProbePageFactory> factory(new ProbePageFactory);
    ComRef<host::MemoryStream> stream(new host::MemoryStream(StreamWithLevel(55)));
    FrameVisit visit;
    int loadTick = 0;
    factory->onCreate = [&](ProbePage& page) {
        page.onRefreshTick = [&](ProbePage& p) {
            if (loadTick == 0) {
                visit.hadSite = p.HasSite();
                visit.linked = p.Effect() == effect.Get();
                visit.visible = IsWindowVisible(p.Handle()) != FALSE;
                visit.childOfFrame = (GetWindowLongPtrW(p.Handle(), GWL_STYLE) & WS_CHILD) != 0 &&
                                     GetAncestor(p.Handle(), GA_ROOT) != p.Handle();
                loadTick = p.refreshTicks;
                effect->Load(stream.Get());
            } else if (p.ShownLevel() == 55 && visit.ticksToShowLoad < 0) {
                visit.ticksToShowLoad = p.ticksAtLastReread - loadTick;
                PostMessageW(GetAncestor(p.Handle(), GA_ROOT), WM_COMMAND, IDCANCEL, 0);
            }
        };
    };
    DWORD cookie = 0;
    ASSERT_EQ(CoRegisterClassObject(kProbePageClass, factory.Get(), CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie),
              S_OK);
    IUnknown* objects[1] = {effect->Identity()};
    CLSID pages[1] = {kProbePageClass};
    HRESULT shown = E_FAIL;
    bool fired = false;
    {
        Watchdog watchdog(GetCurrentThreadId());
        shown = OleCreatePropertyFrame(nullptr, 10, 10, L"Probe", 1, objects, 1, pages, LOCALE_USER_DEFAULT, 0,
                                       nullptr);
        fired = watchdog.Fired();
    }
    CoRevokeClassObject(cookie);
    EXPECT_EQ(shown, S_OK);
    EXPECT_FALSE(fired);
    EXPECT_TRUE(visit.hadSite);
    EXPECT_TRUE(visit.linked);
    EXPECT_TRUE(visit.visible);
    EXPECT_TRUE(visit.childOfFrame);
    // The Load came just before a tick's refresh, and that refresh showed it.
    EXPECT_EQ(visit.ticksToShowLoad, 0);
    EXPECT_EQ(ProbePage::alive, 0);  // the frame released the page
    EXPECT_EQ(effect->AddRef(), 2u);  // and the page its link
    effect->Release();
    OleUninitialize();
}

}  // namespace
}  // namespace nuv::page_test

// The thin window layer: the module-state guard's nesting, the timer, capture
// and redraw owners giving back exactly what they took, and a subclassed
// control found from its handle.
#include <gtest/gtest.h>

#include "platform/win32/module.h"
#include "platform/win32/mouse_tracking.h"
#include "platform/win32/redraw_suspension.h"
#include "platform/win32/subclassed_control.h"
#include "platform/win32/user_owners.h"
#include "platform/win32/window_timer.h"

namespace nuv::win32 {
namespace {

// A plain top-level window of the system's static class, destroyed at the end.
class PlainWindow : public WindowOwner {
public:
    explicit PlainWindow(DWORD style = WS_POPUP | WS_VISIBLE)
        : WindowOwner(CreateWindowExW(0, L"STATIC", L"", style, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr)) {}
};

TEST(ModuleStateGuard, NestedGuardsRestoreTheOuterChoice) {
    const HINSTANCE program = GetModuleHandleW(nullptr);
    const HINSTANCE other = GetModuleHandleW(L"kernel32.dll");
    EXPECT_EQ(ModuleStateGuard::ResourceInstance(), program);
    {
        ModuleStateGuard outer;
        EXPECT_EQ(ModuleStateGuard::ResourceInstance(), program);
        NuvMfxDLL::Get().SetInstance(other);
        {
            ModuleStateGuard inner;
            EXPECT_EQ(ModuleStateGuard::ResourceInstance(), other);
        }
        EXPECT_EQ(ModuleStateGuard::ResourceInstance(), program);  // the outer guard's choice
        NuvMfxDLL::Get().SetInstance(nullptr);
    }
    EXPECT_EQ(ModuleStateGuard::ResourceInstance(), program);
    EXPECT_EQ(NuvMfxDLL::Get().Instance(), program);
}

TEST(WindowTimer, KnowsItsTicksAndStopsWithItsOwner) {
    PlainWindow window;
    MSG message;
    {
        WindowTimer timer;
        EXPECT_EQ(timer.Start(window.Get(), 7, 10), 7u);
        EXPECT_TRUE(timer.IsTick(7));
        EXPECT_FALSE(timer.IsTick(8));
        Sleep(30);
        EXPECT_TRUE(PeekMessageW(&message, window.Get(), WM_TIMER, WM_TIMER, PM_REMOVE));
    }
    while (PeekMessageW(&message, window.Get(), WM_TIMER, WM_TIMER, PM_REMOVE)) {
    }
    Sleep(30);
    EXPECT_FALSE(PeekMessageW(&message, window.Get(), WM_TIMER, WM_TIMER, PM_REMOVE));  // killed
    WindowTimer idle;
    EXPECT_FALSE(idle.IsTick(0));  // a timer never started has no ticks, not even id 0
}

TEST(MouseCapture, ReleasesOnlyWhatItStillHolds) {
    PlainWindow mine;
    PlainWindow other;
    {
        MouseCapture capture;
        capture.Take(mine.Get());
        EXPECT_EQ(GetCapture(), mine.Get());
        SetCapture(other.Get());  // taken away
        capture.Release();
        EXPECT_EQ(GetCapture(), other.Get());
        ReleaseCapture();
        capture.Take(mine.Get());
    }
    EXPECT_EQ(GetCapture(), nullptr);  // the owner's end gave it back
}

TEST(RedrawSuspension, LeavesAHiddenWindowHidden) {
    PlainWindow hidden(WS_POPUP);
    { RedrawSuspension suspended(hidden.Get()); }
    EXPECT_FALSE(IsWindowVisible(hidden.Get()));
    PlainWindow shown;
    { RedrawSuspension suspended(shown.Get()); }
    EXPECT_TRUE(IsWindowVisible(shown.Get()));
}

// The dialog finds the object behind a control from the control's handle (to
// offer it its notifications); the object is let go on Detach and when the
// control ends, and pointers survive whole on 64-bit Windows.
TEST(SubclassedControl, IsFoundFromItsHandleUntilLetGo) {
    struct Owner : SubclassedControl {
        int messages = 0;
        bool OnMessage(UINT, WPARAM, LPARAM, LRESULT&) override { return ++messages, false; }
    };
    PlainWindow parent;
    const HWND child = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, parent.Get(),
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(7)), nullptr, nullptr);
    Owner owner;
    EXPECT_FALSE(owner.Attach(parent.Get(), 8));  // no such control
    ASSERT_TRUE(owner.Attach(parent.Get(), 7));
    EXPECT_EQ(SubclassedControl::FromHandle(child), &owner);
    EXPECT_EQ(SubclassedControl::FromHandle(parent.Get()), nullptr);
    SendMessageW(child, WM_NULL, 0, 0);
    EXPECT_EQ(owner.messages, 1);

    owner.Detach();
    EXPECT_EQ(SubclassedControl::FromHandle(child), nullptr);
    SendMessageW(child, WM_NULL, 0, 0);
    EXPECT_EQ(owner.messages, 1);

    ASSERT_TRUE(owner.Attach(parent.Get(), 7));
    DestroyWindow(child);
    EXPECT_EQ(owner.Handle(), nullptr);
    EXPECT_EQ(owner.ControlId(), 0);
}

}  // namespace
}  // namespace nuv::win32

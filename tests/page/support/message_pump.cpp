#include "tests/page/support/message_pump.h"

namespace nuv::page_test {

namespace {

LPARAM PointParam(POINT at) {
    return MAKELPARAM(static_cast<WORD>(static_cast<short>(at.x)), static_cast<WORD>(static_cast<short>(at.y)));
}

void DispatchWaiting() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace

void PumpUntilIdle() { DispatchWaiting(); }

void PumpFor(DWORD ms) {
    PumpUntil([] { return false; }, ms);
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        DispatchWaiting();
        if (done()) return true;
        const DWORD spent = GetTickCount() - start;
        if (spent >= timeoutMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, timeoutMs - spent, QS_ALLINPUT);
    }
}

void PressLeft(HWND window, POINT at) {
    POINT screen = at;
    ClientToScreen(window, &screen);
    SetCursorPos(screen.x, screen.y);
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, PointParam(at));
}

void MoveMouse(HWND window, POINT at, bool leftDown) {
    SendMessageW(window, WM_MOUSEMOVE, leftDown ? MK_LBUTTON : 0, PointParam(at));
}

void ReleaseLeft(HWND window, POINT at) { SendMessageW(window, WM_LBUTTONUP, 0, PointParam(at)); }

void ClickLeft(HWND window, POINT at) {
    PressLeft(window, at);
    ReleaseLeft(window, at);
}

void DragLeft(HWND window, POINT from, POINT to, int steps) {
    PressLeft(window, from);
    for (int i = 1; i <= steps; ++i) {
        const POINT at{from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps};
        MoveMouse(window, at, true);
    }
    ReleaseLeft(window, to);
}

void SendWheel(HWND window, POINT at, short delta) {
    POINT screen = at;
    ClientToScreen(window, &screen);
    SendMessageW(window, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)), PointParam(screen));
}

void SendKey(HWND window, UINT key) {
    SendMessageW(window, WM_KEYDOWN, key, 1);
    SendMessageW(window, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
}

void TypeText(HWND window, const wchar_t* text) {
    for (const wchar_t* c = text; *c != L'\0'; ++c) SendMessageW(window, WM_CHAR, static_cast<WPARAM>(*c), 1);
}

}  // namespace nuv::page_test

// Running the window thread's queue from a test, and the mouse, wheel and key
// messages a test sends to a page or one of its controls. Window thread.
#pragma once

#include <functional>

#include "platform/com.h"

namespace nuv::page_test {

// Dispatches every message waiting in the queue, paints included, until none
// is left.
void PumpUntilIdle();
// Dispatches messages as they come for `ms` milliseconds.
void PumpFor(DWORD ms);
// Dispatches messages until `done` answers true (checked after each batch)
// or `timeoutMs` has passed; the last answer of `done`.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs);

// Mouse messages in `window`'s client coordinates. The button press also
// moves the real cursor there, as a real press would have it.
void PressLeft(HWND window, POINT at);
void MoveMouse(HWND window, POINT at, bool leftDown);
void ReleaseLeft(HWND window, POINT at);
// A press and release at the same point.
void ClickLeft(HWND window, POINT at);
// A left-button drag from `from` to `to` in `steps` equal moves.
void DragLeft(HWND window, POINT from, POINT to, int steps);
// One wheel message of `delta` (WHEEL_DELTA a notch) at a client point.
void SendWheel(HWND window, POINT at, short delta);
// A key press and release of virtual key `key`.
void SendKey(HWND window, UINT key);
// The characters of `text`, one WM_CHAR each.
void TypeText(HWND window, const wchar_t* text);

}  // namespace nuv::page_test

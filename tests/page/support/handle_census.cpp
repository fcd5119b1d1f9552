#include "tests/page/support/handle_census.h"

#include <vector>

#include "platform/com.h"

namespace nuv::page_test {

namespace {

BOOL CALLBACK CountChild(HWND, LPARAM count) {
    ++*reinterpret_cast<std::size_t*>(count);
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM count) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId()) return TRUE;
    ++*reinterpret_cast<std::size_t*>(count);
    EnumChildWindows(window, &CountChild, count);
    return TRUE;
}

}  // namespace

std::size_t FreeGdiSlots() {
    std::vector<HBRUSH> made;
    made.reserve(70000);
    for (;;) {
        const HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
        if (brush == nullptr) break;
        made.push_back(brush);
        if (made.size() == 70000) break;  // no refusal in sight: stop counting
    }
    for (HBRUSH brush : made) DeleteObject(brush);
    return made.size();
}

std::size_t ProcessWindowCount() {
    std::size_t count = 0;
    EnumWindows(&CountTopLevel, reinterpret_cast<LPARAM>(&count));
    // Message-only windows are not enumerated by EnumWindows.
    HWND messageOnly = nullptr;
    while ((messageOnly = FindWindowExW(HWND_MESSAGE, messageOnly, nullptr, nullptr)) != nullptr) {
        DWORD process = 0;
        GetWindowThreadProcessId(messageOnly, &process);
        if (process == GetCurrentProcessId()) ++count;
    }
    return count;
}

}  // namespace nuv::page_test

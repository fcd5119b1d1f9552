#include "tests/page/support/probe_page.h"

#include <cwchar>
#include <cstdlib>

#include "platform/sync.h"
#include "toolkit/kop_messages.h"

namespace nuv::page_test {

int ProbePage::alive = 0;

bool RecordingEdit::OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT&) {
    if (message == WM_KEYDOWN) {
        ++keyDowns;
        lastKey = static_cast<UINT>(wParam);
    } else if (message == WM_MOUSEWHEEL) {
        ++wheelMessages;
        wheelDelta = static_cast<short>(HIWORD(wParam));
    }
    return false;  // the edit control's own processing goes on
}

bool RecordingEdit::OnReflected(UINT message, WPARAM, LPARAM, LRESULT&) {
    if (message == WM_COMMAND) ++reflectedCommands;
    if (message == WM_CTLCOLOREDIT) ++reflectedColours;
    return false;  // the dialog answers as it would without us
}

// Window thread, inside Activate.
void ProbePage::InitPage() {
    colours = {0xFF000000, 0xFFFFFFFF, 0xFFFFFFFF, 0xFF646464, 0x64FFC8C8};
    title.SetCaption(L"Probe");
    AddControl(PROBE_TITLE_ID, title);
    powerButton.momentary = false;
    AddControl(PROBE_POWER_ID, powerButton);
    logoBadge.momentary = false;
    AddControl(PROBE_BADGE_ID, logoBadge);
    optionSwitch.momentary = false;
    AddControl(PROBE_SWITCH_ID, optionSwitch);
    AddControl(PROBE_EDIT_ID, levelEdit);
}

// Window thread.
void ProbePage::ReadDisplayedValues() {
    ++rereads;
    ticksAtLastReread = refreshTicks;
    ProbeEffect* effect = Probe();
    const std::int32_t level = ReadLocked(effect->settingsLock, effect->level);
    optionSwitch.SetChecked(ReadLocked(effect->settingsLock, effect->option) != 0);
    wchar_t text[16];
    std::swprintf(text, 16, L"%d", static_cast<int>(level));
    SetWindowTextW(levelEdit.Handle(), text);
    InvalidateRect(levelEdit.Handle(), nullptr, TRUE);
}

// Window thread.
bool ProbePage::OnPageMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    if (message == WM_TIMER && wParam == kRefreshTimerId) {
        ++refreshTicks;
        if (onRefreshTick) onRefreshTick(*this);
        return false;  // the base runs the refresh
    }
    if (message == kop::WM_BUTTON_LEFT_PRESSED && wParam == PROBE_SWITCH_ID && setUp && Probe() != nullptr) {
        WriteLocked(Probe()->settingsLock, Probe()->option, optionSwitch.Checked() ? 1 : 0);
        MarkDirty();
        result = 0;
        return true;
    }
    return false;
}

std::int32_t ProbePage::ShownLevel() const {
    wchar_t text[16] = {};
    if (GetWindowTextW(levelEdit.Handle(), text, 16) <= 0) return -1;
    return static_cast<std::int32_t>(std::wcstol(text, nullptr, 10));
}

}  // namespace nuv::page_test

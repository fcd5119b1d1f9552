#include "toolkit/kop_text_edit.h"

#include <cwchar>
#include <vector>

#include <windowsx.h>

#include "platform/win32/user_owners.h"
#include "toolkit/kop_messages.h"
#include "toolkit/numeric_entry.h"

namespace nuv::kop {

namespace {

constexpr ColourRef kFieldBackground = 0x000A0A0A;  // RGB(10, 10, 10)
constexpr UINT kLearnCommand = WM_TEXT_LEARN;
constexpr UINT kCancelCommand = WM_TEXT_CANCEL;
constexpr wchar_t kLearnItem[] = L"&Learn";
constexpr wchar_t kCancelItem[] = L"&Cancel";

int VerticalPixelsPerInch(HWND window) {
    win32::WindowDc dc(window);
    const int dpi = dc ? GetDeviceCaps(dc.Get(), LOGPIXELSY) : 0;
    return dpi > 0 ? dpi : 96;
}

// Where the menu opens: at the mouse, or at the field's centre when it was
// asked for from the keyboard (the message then carries -1, -1).
POINT MenuPoint(HWND field, LPARAM at) {
    if (GET_X_LPARAM(at) != -1 || GET_Y_LPARAM(at) != -1) return POINT{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
    RECT rect{};
    GetWindowRect(field, &rect);
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

}  // namespace

KopTextEdit::KopTextEdit() { backgroundColour = kFieldBackground; }

std::wstring KopTextEdit::WindowText() const {
    const int length = GetWindowTextLengthW(Handle());
    if (length <= 0) return std::wstring();
    std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1);
    const int read = GetWindowTextW(Handle(), buffer.data(), length + 1);
    return std::wstring(buffer.data(), static_cast<std::size_t>(read > 0 ? read : 0));
}

void KopTextEdit::SetLearning(bool learning) {
    learning_ = learning;
    if (Handle() != nullptr) InvalidateRect(Handle(), nullptr, TRUE);
}

void KopTextEdit::PostToParent(UINT message, LPARAM lParam) const {
    PostMessageW(GetParent(Handle()), message, static_cast<WPARAM>(ControlId()), lParam);
}

// The field's own rewrite of its text: the change it causes is not judged.
void KopTextEdit::ShowGuarded(const std::wstring& text) {
    updating_ = true;
    SetWindowTextW(Handle(), text.c_str());
    updating_ = false;
}

// After every change of the text, before it shows (EN_UPDATE).
void KopTextEdit::TakeText() {
    if (updating_) return;
    const std::wstring text = WindowText();
    if (mode == kRealEntry) {
        const RealEntry entry = JudgeRealEntry(text, minimum, maximum);
        if (entry.verdict != EntryVerdict::kAccept) {
            ShowGuarded(previousText_);
            return;
        }
        realValue_ = entry.value;
        previousText_ = text;
        return;
    }
    const IntegerEntry entry = JudgeIntegerEntry(text, minimum, maximum);
    switch (entry.verdict) {
    case EntryVerdict::kAccept:
        integerValue_ = entry.value;
        previousText_ = text;
        break;
    case EntryVerdict::kOff:
        integerValue_ = 0;
        previousText_ = kOffText;
        ShowGuarded(previousText_);
        break;
    case EntryVerdict::kRestore:
        ShowGuarded(previousText_);
        break;
    }
}

// A text set from outside (or by the field itself): the caret goes to its
// end, scrolled into view.
void KopTextEdit::OnTextSet() {
    updating_ = false;
    const int length = GetWindowTextLengthW(Handle());
    SendMessageW(Handle(), EM_SETSEL, static_cast<WPARAM>(length), static_cast<LPARAM>(length));
    SendMessageW(Handle(), EM_SCROLLCARET, 0, 0);
}

// The value's text goes in unguarded, so that the field judges it as any
// text: a value of 0 shows as "OFF".
void KopTextEdit::OnWheel(bool forward) {
    integerValue_ = WheelStepped(integerValue_, forward, minimum, maximum);
    previousText_ = std::to_wstring(integerValue_);
    SetWindowTextW(Handle(), previousText_.c_str());
    PostToParent(WM_TEXT_WHEEL, static_cast<LPARAM>(integerValue_));
}

void KopTextEdit::OnContextMenu(LPARAM at) {
    if (!IsWindowEnabled(Handle())) return;
    SetFocus(Handle());
    win32::MenuOwner menu(CreatePopupMenu());
    if (!menu) return;
    AppendMenuW(menu.Get(), MF_STRING | (learning_ ? MF_GRAYED : 0), kLearnCommand, kLearnItem);
    AppendMenuW(menu.Get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu.Get(), MF_STRING | (learning_ ? 0 : MF_GRAYED), kCancelCommand, kCancelItem);
    const POINT point = MenuPoint(Handle(), at);
    const UINT chosen = static_cast<UINT>(
        TrackPopupMenu(menu.Get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY,
                       point.x, point.y, 0, Handle(), nullptr));
    if (chosen == kLearnCommand) {
        SetLearning(true);
        PostToParent(WM_TEXT_LEARN, WM_TEXT_LEARN);
    } else if (chosen == kCancelCommand) {
        SetLearning(false);
        PostToParent(WM_TEXT_CANCEL, WM_TEXT_CANCEL);
    }
}

bool KopTextEdit::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_CHAR:
        if (wParam != VK_BACK && wParam != VK_TAB && wParam != L'\n') previousText_ = WindowText();
        return false;
    case WM_SETTEXT:
        result = DefaultProcessing(message, wParam, lParam);
        OnTextSet();
        return true;
    case WM_MOUSEWHEEL:
        if (!wheel) return false;
        OnWheel(GET_WHEEL_DELTA_WPARAM(wParam) > 0);
        result = 0;
        return true;
    case WM_KEYDOWN:
        PostToParent(WM_TEXT_KEY, 0);
        return false;
    case WM_KILLFOCUS:
        result = DefaultProcessing(message, wParam, lParam);
        ShowCaret(Handle());
        return true;
    case WM_CONTEXTMENU:
        OnContextMenu(lParam);
        result = 0;
        return true;
    case WM_DESTROY:
        font_.Reset();  // the field ends with this message; its font with it
        return KopEdit::OnMessage(message, wParam, lParam, result);
    default:
        return KopEdit::OnMessage(message, wParam, lParam, result);
    }
}

bool KopTextEdit::OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_COMMAND && HIWORD(wParam) == EN_UPDATE) {
        TakeText();
        result = 0;
        return true;
    }
    return KopEdit::OnReflected(message, wParam, lParam, result);
}

HBRUSH KopTextEdit::AnswerColourMessage(HDC dc) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, IsWindowEnabled(Handle()) ? textColour : disabledTextColour);
    return BrushOf(learning_ ? learningBackground : backgroundColour);
}

void KopTextEdit::SetFont(const std::wstring& family, float pointSize, bool bold, bool italic) {
    description_ = LOGFONTW{};
    std::wcsncpy(description_.lfFaceName, family.c_str(), LF_FACESIZE - 1);
    description_.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    description_.lfItalic = italic ? TRUE : FALSE;
    description_.lfCharSet = DEFAULT_CHARSET;
    described_ = true;
    designFontSize = pointSize;
    MakeFont(scale);
}

void KopTextEdit::Scale(float s) {
    KopEdit::Scale(s);
    if (DescribeFont()) MakeFont(s);
}

// Without a font of the page's, the field's present font is the description,
// and its size the design size unless the page named one.
bool KopTextEdit::DescribeFont() {
    if (described_) return true;
    if (Handle() == nullptr) return false;
    const HFONT present = reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0));
    if (present == nullptr || GetObjectW(present, sizeof(description_), &description_) != sizeof(description_)) {
        return false;
    }
    if (designFontSize <= 0.0f && description_.lfHeight != 0) {
        const int height = description_.lfHeight < 0 ? -description_.lfHeight : description_.lfHeight;
        designFontSize = static_cast<float>(MulDiv(height, 72, VerticalPixelsPerInch(Handle())));
    }
    described_ = true;
    return true;
}

void KopTextEdit::MakeFont(float s) {
    if (Handle() == nullptr || !described_) return;
    LOGFONTW wanted = description_;
    wanted.lfHeight = -MulDiv(static_cast<int>(s * designFontSize), VerticalPixelsPerInch(Handle()), 72);
    wanted.lfWidth = 0;
    const HFONT made = CreateFontIndirectW(&wanted);
    if (made == nullptr) return;
    SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(made), TRUE);
    font_.Reset(made);  // the font used before is no longer selected anywhere
}

}  // namespace nuv::kop

// The numeric entry field: an edit control that holds an integer (or a
// floating-point number) within a range, refuses any other text by putting
// the last accepted one back, shows 0 as "OFF", steps the integer with the
// wheel, and offers learn mode through its context menu ("&Learn",
// "&Cancel"). Its font follows the page's scale.
//
// Posted to the parent, wParam the field's identifier: WM_TEXT_WHEEL (the
// integer value) at each wheel notch while the wheel is on, WM_TEXT_LEARN and
// WM_TEXT_CANCEL when the menu item is chosen, WM_TEXT_KEY at each key press.
// The page takes the value at the edit's ordinary change notification
// (EN_CHANGE), which still reaches it.
#pragma once

#include <cstdint>
#include <string>

#include "platform/win32/gdi_owners.h"
#include "toolkit/kop_edit.h"

namespace nuv::kop {

enum KopEntryMode : std::int32_t {
    kIntegerEntry = 0,
    kRealEntry = 1,
};

class KopTextEdit : public KopEdit {
public:
    KopTextEdit();

    // [window thread] Gives the field a font of `family` at `pointSize`
    // points (its design size), made for the present scale; the font the
    // field had before is deleted once the field uses the new one.
    void SetFont(const std::wstring& family, float pointSize, bool bold, bool italic = false);
    // [window thread] Moves and sizes the field, and makes its font again
    // from the present description at s times the design size.
    void Scale(float s) override;

    // [window thread] The value last accepted (the text shown, or 0 for "OFF").
    std::int32_t IntegerValue() const { return integerValue_; }
    double RealValue() const { return realValue_; }
    // The text restored when an entry is refused.
    const std::wstring& PreviousText() const { return previousText_; }

    // [window thread] Learn mode shows in the learning background; setting
    // it repaints. The context menu sets and clears it too.
    bool Learning() const { return learning_; }
    void SetLearning(bool learning);

    // Set by the page during its set-up.
    std::int32_t mode = kIntegerEntry;
    std::int32_t minimum = 1;
    std::int32_t maximum = 127;
    bool wheel = false;                       // the wheel steps the integer value
    ColourRef disabledTextColour = 0x00965A50;  // RGB(80, 90, 150)
    ColourRef learningBackground = 0x000064B4;  // RGB(180, 100, 0)
    float designFontSize = 0.0f;              // points at scale 1; SetFont sets it

protected:
    // [window thread] Typing, the window text, wheel, keys, focus and the context menu.
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // [window thread] Each change of the text (EN_UPDATE) is judged; the rest goes on.
    bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // [window thread] The learning or the normal background, the enabled or disabled text colour.
    HBRUSH AnswerColourMessage(HDC dc) override;

private:
    std::wstring WindowText() const;
    void TakeText();
    void ShowGuarded(const std::wstring& text);
    void OnTextSet();
    void OnWheel(bool forward);
    void OnContextMenu(LPARAM at);
    void PostToParent(UINT message, LPARAM lParam) const;
    bool DescribeFont();
    void MakeFont(float s);

    std::int32_t integerValue_ = 1;
    double realValue_ = 1.0;
    std::wstring previousText_;
    bool updating_ = false;
    bool learning_ = false;
    LOGFONTW description_{};
    bool described_ = false;
    win32::GdiFont font_;
};

}  // namespace nuv::kop

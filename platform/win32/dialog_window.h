// A modeless dialog made from a template resource, with its messages handed to
// member functions. The object owns its window: Destroy ends it with the
// handlers seeing WM_DESTROY; an object that ends with its window still alive
// first cuts the window off from itself and then destroys it.
//
// Colour and command messages that come from a control which one of our
// SubclassedControl objects owns are offered to that control first (message
// reflection); what it does not take goes to the dialog's own handlers.
#pragma once

#include "platform/com.h"

namespace nuv::win32 {

class DialogWindow {
public:
    DialogWindow(const DialogWindow&) = delete;
    DialogWindow& operator=(const DialogWindow&) = delete;

    // [window thread] Creates the dialog of template `templateId` in `module`
    // as a window of `parent`; OnInitDialog has run when this returns. With
    // `hidden` the window stays invisible whatever the template says, until
    // it is shown. False when a window exists already or the dialog manager
    // refused.
    bool Create(HINSTANCE module, int templateId, HWND parent, bool hidden = false);

    // [window thread] Destroys the window, if any; handlers see WM_DESTROY.
    void Destroy();

    HWND Handle() const { return window_; }

protected:
    DialogWindow() = default;
    virtual ~DialogWindow();

    // [window thread] WM_INITDIALOG. The value returned is the message's.
    virtual BOOL OnInitDialog() { return TRUE; }

    // [window thread] Every later message up to WM_NCDESTROY. True when
    // handled, with `result` as the message's result; false leaves the message
    // to the dialog manager's default processing.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

private:
    // [window thread] The dialog manager calls it for every message of the dialog.
    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    HWND window_ = nullptr;
};

}  // namespace nuv::win32

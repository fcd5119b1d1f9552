// One control of a dialog template taken over by an object of ours: its
// messages go to OnMessage first, and whatever that leaves goes on to the
// control's own procedure (default processing). The subclassing ends when the
// object detaches, when it ends, or when the control is destroyed.
#pragma once

#include "platform/com.h"

namespace nuv::win32 {

class DialogWindow;

class SubclassedControl {
public:
    SubclassedControl(const SubclassedControl&) = delete;
    SubclassedControl& operator=(const SubclassedControl&) = delete;

    // [window thread] Takes over control `id` of `dialog` (a control held
    // before is let go first); false when there is no such control.
    bool Attach(HWND dialog, int id);
    // [window thread] Gives the control back to its own procedure.
    void Detach();

    HWND Handle() const { return window_; }
    // The control's dialog identifier; 0 while detached.
    int ControlId() const { return window_ != nullptr ? GetDlgCtrlID(window_) : 0; }

    // [window thread] The object that took over `window`, or null.
    static SubclassedControl* FromHandle(HWND window);

protected:
    SubclassedControl() = default;
    virtual ~SubclassedControl();

    // [window thread] A message of the control. True when handled, with
    // `result`; false passes it on to the control's own procedure.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // [window thread] A colour or command message that the parent dialog
    // received about this control. True takes it away from the parent.
    virtual bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // [window thread, from within OnMessage] The control's own processing.
    LRESULT DefaultProcessing(UINT message, WPARAM wParam, LPARAM lParam) const;

private:
    friend class DialogWindow;
    // [window thread] Every message of a control we took over.
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR self);

    HWND window_ = nullptr;
};

}  // namespace nuv::win32

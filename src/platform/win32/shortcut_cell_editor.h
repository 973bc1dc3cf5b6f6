// Typing a picture's shortcut in the list: an edit box over the row's Shortcut cell, opened
// by F2 or a double click on the cell, and a balloon beside it that says why a text was not
// kept. What is kept, and why not, is FrmMain's to say.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>

#include "app/frm_main.h"
#include "reason_balloon.h"

namespace pimbrel::win32 {

class ShortcutCellEditor {
public:
    // Runs a call into the window's logic, reporting a fault inside it.
    using Guard = std::function<void(const std::function<void()>&)>;

    // Over the Shortcut column of `list`, a list view in report mode; the balloon belongs
    // to `owner`. Without the common controls' subclassing no box ever opens.
    ShortcutCellEditor(HINSTANCE instance, HWND owner, HWND list, int dpi, FrmMain& form,
                       Guard guard);
    ~ShortcutCellEditor();
    ShortcutCellEditor(const ShortcutCellEditor&) = delete;
    ShortcutCellEditor& operator=(const ShortcutCellEditor&) = delete;

    // For the owner's WM_NOTIFY, before the list's own handling: F2 on the focused row, a
    // double click on a Shortcut cell. True when the notification was one of those.
    bool OnNotify(NMHDR& header, LRESULT& result);
    // An open box ends as a click elsewhere ends it: before the list changes under it.
    void Finish();

private:
    static LRESULT CALLBACK EditProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR id, DWORD_PTR self);
    static LRESULT CALLBACK ListProcedure(HWND list, UINT message, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR id, DWORD_PTR self);
    LRESULT OnEditMessage(HWND edit, UINT message, WPARAM wParam, LPARAM lParam);
    void Begin(int row);
    void End(EditEnding ending);
    void Cancel();
    void Close(HWND edit, bool backToList);
    // The Shortcut cell of `row`, in the list's client area; empty where there is none.
    RECT Cell(int row) const;
    // Puts the box over its cell, as the cell is now.
    void Place();
    // The balloon under the cell of `row`: for as long as the box stays, or for a moment.
    void ShowReason(const std::string& reason, int row, bool forAMoment);
    void HideReason();

    HINSTANCE instance_;
    HWND list_;
    int dpi_;
    FrmMain& form_;
    Guard guard_;
    ReasonBalloon balloon_;
    bool subclassed_ = false;
    std::string laterReason_;  // to show once the box has closed
    // The open box; cleared before it goes, so that its losing the focus then ends nothing.
    HWND edit_ = nullptr;
    int row_ = -1;  // the row of the box
    bool clipped_ = false;  // the list was made to clip its children for the box
};

}  // namespace pimbrel::win32

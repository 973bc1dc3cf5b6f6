// The Shortcut cell's edit box; see shortcut_cell_editor.h. Each step copies what a list
// view does when it edits a label of its own.
#include "shortcut_cell_editor.h"

#include "win32_code_page.h"
#include "window_subclass.h"

namespace pimbrel::win32 {

namespace {

constexpr int kShortcutColumn = 1;
// Private messages of the list (a double click's box, opened once the click is over) and of
// the box (gone once it has finished whatever message it is in).
constexpr UINT kBeginMessage = WM_APP + 0x40;
constexpr UINT kGoMessage = WM_APP + 0x41;
constexpr UINT kReasonMessage = WM_APP + 0x42;
constexpr UINT_PTR kSubclassId = 0x5343;
constexpr UINT_PTR kReasonTimer = 0x5343;
// How long a reason shows at the cell once its box has closed.
constexpr UINT kReasonMs = 6000;

std::u16string TextOf(HWND edit) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
    GetWindowTextW(edit, &text[0], static_cast<int>(text.size()));
    return FromWide(text.c_str());
}

// Enter and Esc belong to the box, not to the dialog keys of the window around it.
bool IsEnterOrEscape(const MSG* message) {
    return message && (message->message == WM_KEYDOWN || message->message == WM_CHAR) &&
           (message->wParam == VK_RETURN || message->wParam == VK_ESCAPE);
}

}  // namespace

ShortcutCellEditor::ShortcutCellEditor(HINSTANCE instance, HWND owner, HWND list, int dpi,
                                       FrmMain& form, Guard guard)
    : instance_(instance), list_(list), dpi_(dpi), form_(form), guard_(std::move(guard)),
      balloon_(instance, owner, dpi) {
    if (!Subclassing().set) return;
    subclassed_ = Subclassing().set(list_, &ShortcutCellEditor::ListProcedure, kSubclassId,
                                    reinterpret_cast<DWORD_PTR>(this)) != FALSE;
}

ShortcutCellEditor::~ShortcutCellEditor() {
    if (subclassed_ && IsWindow(list_))
        Subclassing().remove(list_, &ShortcutCellEditor::ListProcedure, kSubclassId);
}

bool ShortcutCellEditor::OnNotify(NMHDR& header, LRESULT& result) {
    if (!subclassed_ || header.hwndFrom != list_) return false;
    result = 0;
    if (header.code == LVN_KEYDOWN && reinterpret_cast<NMLVKEYDOWN&>(header).wVKey == VK_F2) {
        const auto row = static_cast<int>(SendMessageW(list_, LVM_GETNEXTITEM, -1, LVNI_FOCUSED));
        if (row >= 0) Begin(row);
        return true;
    }
    if (header.code == NM_DBLCLK) {
        LVHITTESTINFO hit{};
        hit.pt = reinterpret_cast<NMITEMACTIVATE&>(header).ptAction;
        SendMessageW(list_, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
        // The list still has its click to finish, and would take the focus back meanwhile.
        if (hit.iItem >= 0 && hit.iSubItem == kShortcutColumn)
            PostMessageW(list_, kBeginMessage, static_cast<WPARAM>(hit.iItem), 0);
        return true;
    }
    return false;
}

void ShortcutCellEditor::Finish() {
    if (edit_) End(EditEnding::Elsewhere);
}

void ShortcutCellEditor::Begin(int row) {
    // Editing another cell first keeps the text of the one being edited.
    Finish();
    HideReason();
    ShortcutEditOpening opening;
    guard_([&] { opening = form_.BeginShortcutEdit(row); });
    row_ = row;
    if (opening.what == EditOpening::Refused) ShowReason(opening.reason, row, true);
    if (opening.what != EditOpening::Opened) return;

    SendMessageW(list_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
    const HWND edit = CreateWindowExW(0, L"EDIT", ToWide(opening.text).c_str(),
                                      WS_CHILD | WS_BORDER | ES_AUTOHSCROLL, 0, 0, 0, 0, list_,
                                      nullptr, instance_, nullptr);
    if (!edit) {
        guard_([&] { form_.CancelShortcutEdit(); });
        return;
    }
    SendMessageW(edit, WM_SETFONT, SendMessageW(list_, WM_GETFONT, 0, 0), FALSE);
    Subclassing().set(edit, &ShortcutCellEditor::EditProcedure, kSubclassId,
                      reinterpret_cast<DWORD_PTR>(this));
    // The list draws its rows around the box, not over it.
    const LONG style = GetWindowLongW(list_, GWL_STYLE);
    clipped_ = !(style & WS_CLIPCHILDREN);
    if (clipped_) SetWindowLongW(list_, GWL_STYLE, style | WS_CLIPCHILDREN);
    edit_ = edit;
    Place();
    SendMessageW(edit, EM_SETSEL, 0, -1);
    SetFocus(edit);
}

void ShortcutCellEditor::End(EditEnding ending) {
    const HWND edit = edit_;
    if (!edit) return;
    const std::u16string typed = TextOf(edit);
    edit_ = nullptr;  // a box of ours taking the focus now must not end it a second time
    ShortcutEditClosing closing;
    guard_([&] { closing = form_.EndShortcutEdit(typed, ending); });
    if (closing.stayOpen) {
        edit_ = edit;
        ShowReason(closing.reason, row_, false);
        if (GetFocus() != edit) SetFocus(edit);
        return;
    }
    // The cell shows what the model now holds: the window has told the list, in case it
    // kept something other than the text.
    Close(edit, ending == EditEnding::Enter);
    // Shown once the focus has moved: a balloon shown while it moves stays undrawn (Wine).
    if (closing.reason.empty()) return;
    laterReason_ = closing.reason;
    PostMessageW(list_, kReasonMessage, static_cast<WPARAM>(row_), 0);
}

void ShortcutCellEditor::Cancel() {
    const HWND edit = edit_;
    edit_ = nullptr;
    guard_([&] { form_.CancelShortcutEdit(); });
    Close(edit, true);
}

void ShortcutCellEditor::Close(HWND edit, bool backToList) {
    HideReason();
    // Enter and Esc give the focus back to the list (a box of ours may have had it since);
    // a click elsewhere has put it where it wanted.
    if (backToList || GetFocus() == edit) SetFocus(list_);
    ShowWindow(edit, SW_HIDE);
    PostMessageW(edit, kGoMessage, 0, 0);
    if (clipped_)
        SetWindowLongW(list_, GWL_STYLE, GetWindowLongW(list_, GWL_STYLE) & ~WS_CLIPCHILDREN);
    clipped_ = false;
}

RECT ShortcutCellEditor::Cell(int row) const {
    RECT cell{LVIR_BOUNDS, kShortcutColumn, 0, 0};
    if (!SendMessageW(list_, LVM_GETSUBITEMRECT, static_cast<WPARAM>(row),
                      reinterpret_cast<LPARAM>(&cell)))
        return RECT{};
    return cell;
}

void ShortcutCellEditor::Place() {
    const RECT cell = Cell(row_);
    // A line of the list's text and the box's frame, in the middle of the row.
    TEXTMETRICW metrics{};
    const HDC dc = GetDC(edit_);
    const HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(edit_, WM_GETFONT, 0, 0)));
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(edit_, dc);
    const int rowHeight = cell.bottom - cell.top;
    int height = metrics.tmHeight + 2 * GetSystemMetrics(SM_CYBORDER) + MulDiv(4, dpi_, 96);
    if (height > rowHeight) height = rowHeight;
    SetWindowPos(edit_, HWND_TOP, cell.left, cell.top + (rowHeight - height) / 2,
                 cell.right - cell.left, height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void ShortcutCellEditor::ShowReason(const std::string& reason, int row, bool forAMoment) {
    // The balloon's point at the middle of the cell's (and the box's) lower edge.
    const RECT cell = Cell(row);
    POINT at{(cell.left + cell.right) / 2, cell.bottom};
    ClientToScreen(list_, &at);
    balloon_.Show(reason, at);
    if (forAMoment)
        SetTimer(list_, kReasonTimer, kReasonMs, nullptr);
    else
        KillTimer(list_, kReasonTimer);
}

void ShortcutCellEditor::HideReason() {
    balloon_.Hide();
    KillTimer(list_, kReasonTimer);
}

LRESULT CALLBACK ShortcutCellEditor::ListProcedure(HWND list, UINT message, WPARAM wParam,
                                                   LPARAM lParam, UINT_PTR, DWORD_PTR self) {
    auto& editor = *reinterpret_cast<ShortcutCellEditor*>(self);
    switch (message) {
    case kBeginMessage:
        editor.Begin(static_cast<int>(wParam));
        return 0;
    case kReasonMessage:
        // Not over a box opened meanwhile: the user has gone on.
        if (!editor.edit_) editor.ShowReason(editor.laterReason_, static_cast<int>(wParam), true);
        return 0;
    case WM_TIMER:
        if (wParam != kReasonTimer) break;
        editor.HideReason();
        return 0;
    case WM_VSCROLL:
    case WM_HSCROLL:
    case WM_MOUSEWHEEL:
        // The rows move and the box would not: it ends first, as the list's own would.
        editor.Finish();
        break;
    case WM_NCDESTROY:
        Subclassing().remove(list, &ShortcutCellEditor::ListProcedure, kSubclassId);
        editor.subclassed_ = false;
        break;
    default:
        break;
    }
    const LRESULT result = Subclassing().next(list, message, wParam, lParam);
    // The list or its columns have new sizes: the box follows its cell.
    const bool resized = message == WM_SIZE ||
                         (message == WM_NOTIFY &&
                          (reinterpret_cast<NMHDR*>(lParam)->code == HDN_ITEMCHANGEDW ||
                           reinterpret_cast<NMHDR*>(lParam)->code == HDN_ITEMCHANGEDA));
    if (resized && editor.edit_) editor.Place();
    return result;
}

LRESULT CALLBACK ShortcutCellEditor::EditProcedure(HWND edit, UINT message, WPARAM wParam,
                                                   LPARAM lParam, UINT_PTR, DWORD_PTR self) {
    return reinterpret_cast<ShortcutCellEditor*>(self)->OnEditMessage(edit, message, wParam,
                                                                      lParam);
}

LRESULT ShortcutCellEditor::OnEditMessage(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_GETDLGCODE: {
        // Asked for Enter and Esc, so that the window's dialog keys leave them to the box;
        // Tab still moves the focus on, and so ends the box.
        const LRESULT code = Subclassing().next(edit, message, wParam, lParam);
        return IsEnterOrEscape(reinterpret_cast<const MSG*>(lParam)) ? code | DLGC_WANTMESSAGE
                                                                    : code;
    }
    case WM_KEYDOWN:
        if (edit != edit_) break;
        if (wParam == VK_RETURN) End(EditEnding::Enter);
        if (wParam == VK_ESCAPE) Cancel();
        if (wParam == VK_RETURN || wParam == VK_ESCAPE) return 0;
        break;
    case WM_CHAR:
        // No beep for the keys taken above; Ctrl+A selects the text, as later systems' boxes
        // do of their own; any other key starts a correction.
        if (wParam == VK_RETURN || wParam == VK_ESCAPE || wParam == L'\n') return 0;
        if (wParam == 1) {
            SendMessageW(edit, EM_SETSEL, 0, -1);
            return 0;
        }
        if (edit == edit_) HideReason();
        break;
    case WM_KILLFOCUS: {
        const LRESULT result = Subclassing().next(edit, message, wParam, lParam);
        if (edit == edit_) End(EditEnding::Elsewhere);
        return result;
    }
    case WM_MOUSEWHEEL:
        // The wheel scrolls the list under the box: the box ends first.
        Finish();
        return SendMessageW(list_, message, wParam, lParam);
    case kGoMessage:
        DestroyWindow(edit);
        return 0;
    case WM_NCDESTROY:
        Subclassing().remove(edit, &ShortcutCellEditor::EditProcedure, kSubclassId);
        break;
    default:
        break;
    }
    return Subclassing().next(edit, message, wParam, lParam);
}

}  // namespace pimbrel::win32

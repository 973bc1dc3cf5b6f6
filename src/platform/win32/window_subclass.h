// The common controls' window subclassing, which lets several pieces each see a control's
// messages before it does. Taken from the common controls that start-up loaded (they export
// it by ordinal only on some systems).
#pragma once
#include <windows.h>
#include <commctrl.h>

namespace pimbrel::win32 {

struct SubclassCalls {
    using Set = BOOL(WINAPI*)(HWND, SUBCLASSPROC, UINT_PTR, DWORD_PTR);
    using Remove = BOOL(WINAPI*)(HWND, SUBCLASSPROC, UINT_PTR);
    using Default = LRESULT(WINAPI*)(HWND, UINT, WPARAM, LPARAM);
    Set set = nullptr;        // SetWindowSubclass
    Remove remove = nullptr;  // RemoveWindowSubclass
    Default next = nullptr;   // DefSubclassProc
};

// All three, or `set` null where the system lacks any of them.
const SubclassCalls& Subclassing();

}  // namespace pimbrel::win32

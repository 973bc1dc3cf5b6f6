// The text that an empty list shows in itself, drawn by us after the list has painted (the
// list's own empty text needs comctl32 6.10, which XP lacks).
#pragma once
#include <windows.h>
#include <commctrl.h>

namespace pimbrel::win32 {

// The answer to the list's NM_CUSTOMDRAW: while the list is `empty`, it is asked to tell the
// end of its painting, and then `hint` is written over its rows' area, below its headings.
LRESULT PaintEmptyHint(const NMLVCUSTOMDRAW& draw, bool empty, const wchar_t* hint);

}  // namespace pimbrel::win32

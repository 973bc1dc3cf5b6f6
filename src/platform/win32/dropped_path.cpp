// A drop's first path; see dropped_path.h.
#include "dropped_path.h"

#include "system_files.h"
#include "win32_code_page.h"

namespace pimbrel::win32 {

std::optional<std::u16string> TakeDroppedPath(HDROP drop) {
    using Query = UINT(WINAPI*)(HDROP, UINT, LPWSTR, UINT);
    using Finish = void(WINAPI*)(HDROP);
    const auto query = ExportOf<Query>(Shell32(), "DragQueryFileW");
    const auto finish = ExportOf<Finish>(Shell32(), "DragFinish");
    std::optional<std::u16string> path;
    // Of several, the first: they all lie in one folder when they come from one window.
    if (query && query(drop, 0xFFFFFFFF, nullptr, 0) > 0) {
        const UINT length = query(drop, 0, nullptr, 0);
        std::wstring text(length + 1, L'\0');
        if (length > 0 && query(drop, 0, &text[0], length + 1) == length)
            path = FromWide(text.c_str());
    }
    if (finish) finish(drop);
    return path;
}

}  // namespace pimbrel::win32

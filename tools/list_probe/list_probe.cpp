// Keeps a typed shortcut for one picture of a folder as the window does: lists the folder's
// pictures, works out what the next Add would send each, and keeps the text in Readme.txt
// through the Win32 file system and code page. Prints "Kept", "Refused|REASON" or
// "NotWritten|REASON" (UTF-8); exit status 0 when kept, 1 otherwise, 2 on bad arguments.
//   list_probe FOLDER PICTURE TYPED
#include <windows.h>

#include <cstdio>

#include "app/picture_folder.h"
#include "app/shortcut_edit.h"
#include "app/shortcut_plan.h"
#include "shortcuts/code_page.h"
#include "win32_code_page.h"
#include "win32_file_system.h"

int wmain(int argc, wchar_t** argv) {
    using namespace pimbrel;
    if (argc != 4) {
        std::fprintf(stderr, "usage: list_probe FOLDER PICTURE TYPED\n");
        return 2;
    }
    static const win32::Win32CodePage codePage;
    SetCodePage(&codePage);
    win32::Win32FileSystem files;
    const PictureList pictures =
        LoadPictureList(files, FolderName{win32::FromWide(argv[1]), std::u16string()});
    const std::u16string picture = win32::FromWide(argv[2]);
    std::size_t index = 0;
    while (index < pictures.entries.size() && pictures.entries[index].name != picture) ++index;
    if (index == pictures.entries.size()) {
        std::fprintf(stderr, "no picture of that name in the folder\n");
        return 2;
    }
    ShortcutPlan plan = PlanShortcuts(files, pictures);
    const ShortcutEdit edit =
        KeepTypedShortcut(files, pictures, index, win32::FromWide(argv[3]), SentShortcuts(plan));
    const char* const results[] = {"Kept", "Refused", "NotWritten"};
    std::printf("%s%s%s\n", results[static_cast<int>(edit.result)], edit.reason.empty() ? "" : "|",
                edit.reason.c_str());
    return edit.result == ShortcutEditResult::Kept ? 0 : 1;
}

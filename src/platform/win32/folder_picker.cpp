// The folder picker; see folder_picker.h.
// The file dialog's interfaces are declared for Vista on; it is only made where the system
// has it, and XP gets the folder browser.
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0600
#include "folder_picker.h"

#include <shlobj.h>
#include <shobjidl.h>

#include "com_library.h"
#include "system_files.h"
#include "win32_code_page.h"

namespace pimbrel::win32 {

namespace {

constexpr CLSID kFileOpenDialog = {0xdc1c5a9c, 0xe88a, 0x4dde,
                                   {0xa5, 0xa1, 0x60, 0xf8, 0x2a, 0x20, 0xae, 0xf7}};
constexpr IID kFileOpenDialogFace = {0xd57c7288, 0xd4ad, 0x4768,
                                     {0xbe, 0x02, 0x9d, 0x96, 0x95, 0x32, 0xd9, 0x60}};
constexpr IID kShellItemFace = {0x43826d1e, 0xe718, 0x42ee,
                                {0xbc, 0x55, 0xa1, 0xe2, 0x61, 0xc3, 0x7b, 0xfe}};
constexpr wchar_t kTitle[] = L"Choose the folder of your emoticons";

// The shell's item for a folder, for the dialog to open at; nullptr where there is none.
IShellItem* ItemOf(const std::wstring& folder) {
    using Parse = HRESULT(WINAPI*)(PCWSTR, IBindCtx*, REFIID, void**);
    const auto parse = ExportOf<Parse>(Shell32(), "SHCreateItemFromParsingName");
    void* item = nullptr;
    if (!parse || FAILED(parse(folder.c_str(), nullptr, kShellItemFace, &item))) return nullptr;
    return static_cast<IShellItem*>(item);
}

// The file dialog in its folder mode. `offered` is false where the system has no such
// dialog, or it has no folder mode.
std::optional<std::u16string> PickWithFileDialog(const ComLibrary& com, HWND owner,
                                                 const std::wstring& start, bool& offered) {
    auto* dialog = static_cast<IFileOpenDialog*>(com.Create(kFileOpenDialog, kFileOpenDialogFace));
    offered = false;
    if (!dialog) return std::nullopt;
    FILEOPENDIALOGOPTIONS options = 0;
    offered = SUCCEEDED(dialog->GetOptions(&options)) &&
              SUCCEEDED(dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM |
                                           FOS_PATHMUSTEXIST | FOS_NOCHANGEDIR));
    std::optional<std::u16string> chosen;
    if (offered) {
        dialog->SetTitle(kTitle);
        if (IShellItem* folder = ItemOf(start)) {
            dialog->SetFolder(folder);
            folder->Release();
        }
        IShellItem* item = nullptr;
        // Cancelled: a failure of its own kind, and nothing chosen.
        if (SUCCEEDED(dialog->Show(owner)) && SUCCEEDED(dialog->GetResult(&item))) {
            wchar_t* path = nullptr;
            if (SUCCEEDED(item->GetDisplayName(SIGDN_FILESYSPATH, &path)) && path) {
                chosen = FromWide(path);
                com.Free(path);
            }
            item->Release();
        }
    }
    dialog->Release();
    return chosen;
}

// The folder browser opens at the folder it was given.
int CALLBACK BrowserStarted(HWND browser, UINT message, LPARAM, LPARAM start) {
    if (message == BFFM_INITIALIZED) SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, start);
    return 0;
}

std::optional<std::u16string> PickWithFolderBrowser(const ComLibrary& com, HWND owner,
                                                    const std::wstring& start) {
    using Browse = PIDLIST_ABSOLUTE(WINAPI*)(LPBROWSEINFOW);
    using PathOf = BOOL(WINAPI*)(PCIDLIST_ABSOLUTE, LPWSTR);
    const auto browse = ExportOf<Browse>(Shell32(), "SHBrowseForFolderW");
    const auto pathOf = ExportOf<PathOf>(Shell32(), "SHGetPathFromIDListW");
    if (!browse || !pathOf) return std::nullopt;
    BROWSEINFOW info{};
    info.hwndOwner = owner;
    info.lpszTitle = kTitle;
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    info.lpfn = &BrowserStarted;
    info.lParam = reinterpret_cast<LPARAM>(start.c_str());
    PIDLIST_ABSOLUTE chosen = browse(&info);
    if (!chosen) return std::nullopt;
    wchar_t path[MAX_PATH] = {};
    const bool named = pathOf(chosen, path) != 0;
    com.Free(chosen);
    if (!named) return std::nullopt;  // a place that is no folder of the file system
    return FromWide(path);
}

}  // namespace

std::optional<std::u16string> Win32FolderPicker::PickFolder(const std::u16string& start) {
    const ComLibrary com;  // both need it; the new look of the browser too
    const std::wstring folder = ToWide(start);
    bool offered = false;
    std::optional<std::u16string> chosen = PickWithFileDialog(com, owner_, folder, offered);
    return offered ? chosen : PickWithFolderBrowser(com, owner_, folder);
}

}  // namespace pimbrel::win32

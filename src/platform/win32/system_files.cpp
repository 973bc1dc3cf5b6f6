// Code from the system only; see system_files.h.
#include "system_files.h"

#include <vector>

#include "win32_code_page.h"

namespace pimbrel::win32 {

namespace {

// "<folder>\<fileName>" for a folder that GetSystemDirectoryW or GetSystemWindowsDirectoryW
// names; empty when the folder cannot be read.
template <typename Folder>
std::wstring InFolder(Folder folder, const std::wstring& fileName) {
    wchar_t path[MAX_PATH];
    const UINT length = folder(path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return std::wstring();
    std::wstring full(path, length);
    if (full.back() != L'\\') full += L'\\';
    return full + fileName;
}

// Already loaded in every process; GetModuleHandle loads nothing.
HMODULE Kernel32() { return GetModuleHandleW(L"kernel32.dll"); }

// Windows 8 and later, and Windows 7 and Vista with their DLL-search update, know the
// LOAD_LIBRARY_SEARCH_* flags; AddDllDirectory is how their presence shows.
bool SearchFlagsKnown() {
    return ExportOf<FARPROC>(Kernel32(), "AddDllDirectory") != nullptr;
}

}  // namespace

void NarrowDllSearch() {
    using SetDefaultDirectories = BOOL(WINAPI*)(DWORD);
    if (auto narrow = ExportOf<SetDefaultDirectories>(Kernel32(), "SetDefaultDllDirectories"))
        if (narrow(LOAD_LIBRARY_SEARCH_SYSTEM32)) return;
    // XP SP1 to Windows 7 without the update: the program's folder stays first for DLLs
    // that are not known to the system, which is why nothing else is imported by name.
    using SetDirectory = BOOL(WINAPI*)(LPCWSTR);
    if (auto set = ExportOf<SetDirectory>(Kernel32(), "SetDllDirectoryW")) set(L"");
}

void PreloadSystemLibraries() {
    // The theme engine and the blending functions it and the common controls draw with are
    // loaded by name when the first window is drawn. Where the search is not narrowed (XP,
    // and Wine's delayed loads) the program's folder would come first; taken from the system
    // folder now, they are found loaded then.
    for (const wchar_t* name : {L"uxtheme.dll", L"msimg32.dll"}) LoadSystemLibrary(name);
}

HMODULE LoadSystemLibrary(const wchar_t* fileName) {
    const std::wstring path = InFolder(&GetSystemDirectoryW, fileName);
    if (path.empty()) return nullptr;
    // The DLL's own imports: from the system folder alone where the system can say so, else
    // from the DLL's folder (the system folder) before the program's.
    return LoadLibraryExW(path.c_str(), nullptr,
                          SearchFlagsKnown() ? LOAD_LIBRARY_SEARCH_SYSTEM32
                                             : LOAD_WITH_ALTERED_SEARCH_PATH);
}

HMODULE Shell32() {
    static const HMODULE shell32 = LoadSystemLibrary(L"shell32.dll");
    return shell32;
}

bool StartWindowsProgram(const std::string& fileName, const std::string& commandLine,
                         int showStyle) {
    // The shared Windows folder: GetWindowsDirectory names a private one per user on a
    // terminal server, for programs that do not declare themselves aware of it.
    const std::wstring folder = InFolder(&GetSystemWindowsDirectoryW, L"");
    if (folder.empty()) return false;
    const std::wstring program = folder + WideFrom(CP_ACP, fileName);
    const std::wstring wide = WideFrom(CP_ACP, commandLine);
    std::vector<wchar_t> line(wide.begin(), wide.end());  // CreateProcessW may write to it
    line.push_back(L'\0');
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showStyle);
    PROCESS_INFORMATION started{};
    // Started in the Windows folder, so that it does not search the picture folder either.
    if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &started))
        return false;
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return true;
}

}  // namespace pimbrel::win32

// Code is taken from the system only: DLLs from the system folder and programs from the
// Windows folder, each by its full path. The program's own folder is a folder of downloaded
// pictures, and Windows would otherwise look there first.
#pragma once
#include <windows.h>

#include <string>

namespace pimbrel::win32 {

// The export `name` of a loaded DLL as a function of type `Function`; nullptr without the DLL
// or where this version of it lacks the export.
template <typename Function>
Function ExportOf(HMODULE module, const char* name) {
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                  : nullptr;
}

// At start-up, before anything else loads: leaves only the system folder in the process's DLL
// search where the system offers that, and else takes at least the current folder out of it.
void NarrowDllSearch();

// Loads from the system folder the DLLs that the system itself loads by name later on, so
// that it finds them loaded instead of searching for them. Missing ones are left out.
void PreloadSystemLibraries();

// The DLL of that name in the system folder, loaded by its full path, with its own imports
// taken from the system folder too; nullptr when it is missing there.
HMODULE LoadSystemLibrary(const wchar_t* fileName);

// shell32.dll of the system folder, loaded once when first asked for (not imported: the
// window needs it only for a drop or the folder picker); nullptr without it.
HMODULE Shell32();

// Starts `fileName` of the Windows folder by its full path, with `commandLine` as the command
// line the program sees (ANSI), in the given show style, and in the Windows folder as its
// current folder; false when it could not be started.
bool StartWindowsProgram(const std::string& fileName, const std::string& commandLine,
                         int showStyle);

}  // namespace pimbrel::win32

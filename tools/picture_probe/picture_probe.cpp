// Runs the picture loader over the pictures of a folder, as the main window does, and
// prints what became of each: "index|state|name", in list order, after a first line that
// says where GDI+ came from ("gdiplus|origin|path"). Each shown picture is written to
// OUTPUT\<index>.bmp as the loader drew it: 32 bits, top-down, premultiplied alpha. The time
// they took and the process's peak memory go to the error output.
//   picture_probe FOLDER SIDE OUTPUT [--side-by-side] [--stop-after N]
// --side-by-side first loads GDI+ the way Windows XP needs (through the exe's manifest for
// it) and fails when that does not work. --stop-after N ends the loader once N pictures are
// in, as a window closed while they load does, and then says
// "stopped|<ms the loader's end took>|<ms the N took>|<messages that came after the end>",
// pumping for 3 s after it.
// Exit status 0 once every picture is in (or, stopped, when no message came after the end).
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/picture_folder.h"
#include "gdiplus_api.h"
#include "picture_loader.h"
#include "system_files.h"

namespace {

using pimbrel::PictureState;
using pimbrel::win32::LoadedPicture;

constexpr UINT kPicturesFinished = WM_APP + 1;
constexpr DWORD kWaitMs = 120000;

std::string Utf8(const std::wstring& text) {
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(size > 0 ? size : 1, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &bytes[0], size, nullptr, nullptr);
    bytes.pop_back();
    return bytes;
}

const char* StateName(PictureState state) {
    switch (state) {
    case PictureState::Loading: return "Loading";
    case PictureState::Shown: return "Shown";
    case PictureState::Unreadable: return "Unreadable";
    case PictureState::TooLarge: return "TooLarge";
    }
    return "?";
}

const char* OriginName(pimbrel::win32::GdiplusOrigin origin) {
    switch (origin) {
    case pimbrel::win32::GdiplusOrigin::SystemFolder: return "system folder";
    case pimbrel::win32::GdiplusOrigin::SideBySide: return "side by side";
    case pimbrel::win32::GdiplusOrigin::None: break;
    }
    return "none";
}

// The folder's picture files by name, sorted as plain UTF-16.
std::vector<std::wstring> PictureNames(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::wstring name = found.cFileName;
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
            pimbrel::IsPictureName(std::u16string(name.begin(), name.end())))
            names.push_back(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

// The bitmap's pixels as a BMP file with a version 5 header, so that viewers keep alpha.
bool WriteBmp(HBITMAP bitmap, const std::wstring& path) {
    DIBSECTION section{};
    if (GetObjectW(bitmap, sizeof(section), &section) != sizeof(section) ||
        section.dsBm.bmBitsPixel != 32 || !section.dsBm.bmBits)
        return false;
    const LONG width = section.dsBm.bmWidth, height = section.dsBm.bmHeight;
    const DWORD pixels = static_cast<DWORD>(width * height * 4);
    BITMAPV5HEADER info{};
    info.bV5Size = sizeof(info);
    info.bV5Width = width;
    info.bV5Height = -height;  // top-down, as the loader draws (the section's header may not say)
    info.bV5Planes = 1;
    info.bV5BitCount = 32;
    info.bV5Compression = BI_BITFIELDS;
    info.bV5SizeImage = pixels;
    info.bV5RedMask = 0x00FF0000;
    info.bV5GreenMask = 0x0000FF00;
    info.bV5BlueMask = 0x000000FF;
    info.bV5AlphaMask = 0xFF000000;
    info.bV5CSType = 0x73524742;  // LCS_sRGB, "sRGB"
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + pixels;
    const HANDLE out = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool done = WriteFile(out, &file, sizeof(file), &written, nullptr) &&
                WriteFile(out, &info, sizeof(info), &written, nullptr) &&
                WriteFile(out, section.dsBm.bmBits, pixels, &written, nullptr);
    CloseHandle(out);
    return done;
}

HWND MessageWindow() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"PictureProbe";
    RegisterClassW(&windowClass);
    return CreateWindowW(L"PictureProbe", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                         windowClass.hInstance, nullptr);
}

double NowMs() {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Pumps for at most `waitMs`, until `enough` pictures are in; counts the loader's messages.
int Pump(pimbrel::win32::PictureLoader* loader, std::vector<LoadedPicture>& pictures,
         std::size_t enough, DWORD waitMs) {
    std::size_t arrived = 0;
    int messages = 0;
    const DWORD start = GetTickCount();
    while (arrived < enough && GetTickCount() - start < waitMs) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message != kPicturesFinished) continue;
            ++messages;
            if (!loader) continue;
            for (const LoadedPicture& picture : loader->TakeFinished()) {
                pictures[picture.index] = picture;
                ++arrived;
            }
        }
    }
    return messages;
}

void PrintPeakMemory() {
    using Counters = BOOL(WINAPI*)(HANDLE, PROCESS_MEMORY_COUNTERS*, DWORD);
    const auto counters = pimbrel::win32::ExportOf<Counters>(GetModuleHandleW(L"kernel32.dll"),
                                                             "K32GetProcessMemoryInfo");
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof(memory);
    if (counters && counters(GetCurrentProcess(), &memory, sizeof(memory)))
        std::fprintf(stderr, "peak working set %lu MB\n",
                     static_cast<unsigned long>(memory.PeakWorkingSetSize >> 20));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    pimbrel::win32::NarrowDllSearch();
    pimbrel::win32::PreloadSystemLibraries();
    if (argc < 4) {
        std::fprintf(stderr, "usage: picture_probe FOLDER SIDE OUTPUT [--side-by-side]\n");
        return 2;
    }
    const std::wstring folder = argv[1], output = argv[3];
    const int side = _wtoi(argv[2]);
    bool sideBySide = false;
    int stopAfter = -1;
    for (int i = 4; i < argc; ++i) {
        const std::wstring option = argv[i];
        if (option == L"--side-by-side") sideBySide = true;
        if (option == L"--stop-after" && i + 1 < argc) stopAfter = _wtoi(argv[++i]);
    }
    // Started here too, to say where it comes from; the loader's thread starts its own.
    using pimbrel::win32::GdiplusSearch;
    const pimbrel::win32::Gdiplus gdiplus(sideBySide ? GdiplusSearch::SideBySideOnly
                                                     : GdiplusSearch::SystemFolderFirst);
    wchar_t modulePath[MAX_PATH] = L"";
    if (gdiplus.Module()) GetModuleFileNameW(gdiplus.Module(), modulePath, MAX_PATH);
    std::printf("gdiplus|%s|%s\n", OriginName(gdiplus.Origin()), Utf8(modulePath).c_str());
    if (!gdiplus.Functions()) return 1;

    const std::vector<std::wstring> names = PictureNames(folder);
    std::vector<std::wstring> paths;
    for (const std::wstring& name : names) paths.push_back(folder + L"\\" + name);
    const HWND window = MessageWindow();
    std::vector<LoadedPicture> pictures(names.size(), {0, PictureState::Loading, nullptr});
    const double start = NowMs();
    auto loader = std::make_unique<pimbrel::win32::PictureLoader>(window, kPicturesFinished,
                                                                  paths, side);
    const bool stopping = stopAfter >= 0;
    Pump(loader.get(), pictures, stopping ? stopAfter : names.size(), kWaitMs);
    const double elapsed = NowMs() - start;
    double endMs = 0;
    int late = 0;
    if (stopping) {
        const double end = NowMs();
        loader.reset();
        endMs = NowMs() - end;
        late = Pump(nullptr, pictures, names.size() + 1, 3000);
    }

    int missing = 0;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const LoadedPicture& picture = pictures[i];
        missing += picture.state == PictureState::Loading;
        std::printf("%u|%s|%s\n", static_cast<unsigned>(i), StateName(picture.state),
                    Utf8(names[i]).c_str());
        if (picture.bitmap) {
            if (!WriteBmp(picture.bitmap, output + L"\\" + std::to_wstring(i) + L".bmp"))
                std::fprintf(stderr, "no bitmap written for %u\n", static_cast<unsigned>(i));
            DeleteObject(picture.bitmap);
        }
    }
    if (stopping) std::printf("stopped|%.0f|%.0f|%d\n", endMs, elapsed, late);
    std::fflush(stdout);
    std::fprintf(stderr, "%u pictures in %.0f ms\n", static_cast<unsigned>(names.size()), elapsed);
    PrintPeakMemory();
    return (stopping ? late == 0 : missing == 0) ? 0 : 1;
}

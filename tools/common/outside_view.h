// What the test tools and benchmarks read of other programs' windows and processes, the
// same way in each: class, text, the top-level windows, owned dialogs, clocks.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace outside {

// The window class of the program's main window; its caption changes during a run.
inline constexpr char kProgramClass[] = "PimbrelMain";
// The class of the stand-in's idle top-level windows, which crowd the desktop for a benchmark.
inline constexpr char kIdleClass[] = "StandInIdle";

inline std::string ClassOf(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

inline std::string TextOf(HWND window) {
    char text[4096] = {};
    // WM_GETTEXT rather than GetWindowText: the latter does not ask other processes' controls.
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                        SMTO_ABORTIFHUNG, 2000, nullptr);
    return text;
}

// A window's text as characters, in UTF-8 whatever the code page: what a wide window shows.
inline std::string Utf8TextOf(HWND window) {
    wchar_t text[4096] = {};
    SendMessageTimeoutW(window, WM_GETTEXT, sizeof text / sizeof text[0],
                        reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, nullptr);
    char bytes[4 * 4096] = {};
    WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes, sizeof bytes, nullptr, nullptr);
    return bytes;
}

// The top-level windows, top of the z-order first.
inline std::vector<HWND> TopLevels() {
    std::vector<HWND> all;
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) all.push_back(w);
    return all;
}

// The highest top-level window of the class owned by `owner`.
inline HWND OwnedBy(HWND owner, const char* className) {
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT))
        if (GetParent(w) == owner && ClassOf(w) == className) return w;
    return nullptr;
}

// Milliseconds on the performance counter.
inline double NowMs() {
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return 1000.0 * double(now.QuadPart) / double(frequency.QuadPart);
}

// User and kernel time of the process in milliseconds; -1 when the system does not tell.
inline double CpuMs(HANDLE process) {
    FILETIME created, ended, kernel, user;
    if (!GetProcessTimes(process, &created, &ended, &kernel, &user)) return -1;
    const auto ms = [](const FILETIME& t) {
        return double((ULONGLONG(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e4;
    };
    return ms(kernel) + ms(user);
}

}  // namespace outside

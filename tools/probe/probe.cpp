// probe: reads Pimbrel's main window and its message boxes from outside, as plain text lines,
// for the window smoke test. One command a run; every wait is bounded.
//
//   probe wait-main MS        waits until the main window is visible; prints "main <hwnd>"
//   probe controls            the main window (its frame on the screen too) and its children,
//                             one line each, in z-order
//   probe items               the picture list's entries: "item <i> <0|1> <text>"
//   probe label-point         the screen point at the middle of the site label: "X Y"
//   probe item-point I        the screen point at the middle of the list's entry I: "X Y"
//   probe click TEXT          posts BM_CLICK to the main window's button captioned TEXT
//   probe box MS [dismiss]    waits for a message box; prints its title, text and icon
//   probe no-box MS           succeeds when no message box shows within MS milliseconds
//   probe close               posts WM_CLOSE to the main window
#include <windows.h>

#include "common/outside_view.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using outside::ClassOf;
using outside::TextOf;

namespace {

constexpr char kBoxClass[] = "#32770";

// Line breaks and tabs as visible escapes, so that every record stays on one line.
std::string OneLine(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\r') out += "\\r";
        else if (c == '\n') out += "\\n";
        else if (c == '\t') out += "\\t";
        else out += c;
    }
    return out;
}

HWND MainWindow() {
    // By class alone: the caption shows a run's progress.
    HWND window = FindWindowA(outside::kProgramClass, nullptr);
    return window && IsWindowVisible(window) ? window : nullptr;
}

template <typename Find>
HWND WaitFor(DWORD timeoutMs, Find find) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (HWND found = find()) return found;
        if (GetTickCount() - start >= timeoutMs) return nullptr;
        Sleep(20);
    }
}

HWND VisibleBox() {
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (IsWindowVisible(w) && ClassOf(w) == kBoxClass) return w;
    }
    return nullptr;
}

std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> children;
    for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        children.push_back(c);
    return children;
}

// A child's rectangle in its parent's client coordinates.
RECT ClientRectIn(HWND parent, HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

HWND ListOf(HWND main) { return FindWindowExA(main, nullptr, "ListBox", nullptr); }

int WaitMain(DWORD timeoutMs) {
    HWND main = WaitFor(timeoutMs, MainWindow);
    if (!main) {
        std::printf("no main window\n");
        return 1;
    }
    std::printf("main %lu\n", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(main)));
    return 0;
}

void PrintIcon(const char* which, HICON icon) {
    ICONINFO info = {};
    if (!icon || !GetIconInfo(icon, &info)) {
        std::printf("icon %s none\n", which);
        return;
    }
    BITMAP colour = {};
    if (info.hbmColor) GetObjectA(info.hbmColor, sizeof colour, &colour);
    std::printf("icon %s %ldx%ld\n", which, colour.bmWidth, colour.bmHeight);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
}

int Controls() {
    HWND main = MainWindow();
    if (!main) {
        std::printf("no main window\n");
        return 1;
    }
    RECT client, frame;
    GetClientRect(main, &client);
    GetWindowRect(main, &frame);
    const LONG style = GetWindowLongA(main, GWL_STYLE);
    std::printf("window class=%s text=%s client=%ldx%ld sizable=%d maximizebox=%d minimizebox=%d "
                "frame=%ld,%ld,%ld,%ld\n",
                ClassOf(main).c_str(), TextOf(main).c_str(), client.right, client.bottom,
                (style & WS_THICKFRAME) != 0, (style & WS_MAXIMIZEBOX) != 0,
                (style & WS_MINIMIZEBOX) != 0, frame.left, frame.top, frame.right - frame.left,
                frame.bottom - frame.top);
    PrintIcon("small", reinterpret_cast<HICON>(GetClassLongPtrA(main, GCLP_HICONSM)));
    PrintIcon("big", reinterpret_cast<HICON>(GetClassLongPtrA(main, GCLP_HICON)));
    HWND focus = nullptr;
    GUITHREADINFO gui = {};
    gui.cbSize = sizeof gui;
    if (GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &gui)) focus = gui.hwndFocus;
    int z = 0;
    for (HWND child : Children(main)) {
        const RECT r = ClientRectIn(main, child);
        const LONG s = GetWindowLongA(child, GWL_STYLE);
        std::printf("control z=%d class=%s id=%ld rect=%ld,%ld,%ld,%ld visible=%d enabled=%d "
                    "tabstop=%d focus=%d checked=%ld style=0x%08lX text=%s\n",
                    z++, ClassOf(child).c_str(), GetWindowLongA(child, GWL_ID), r.left, r.top,
                    r.right - r.left, r.bottom - r.top, IsWindowVisible(child) ? 1 : 0,
                    IsWindowEnabled(child) ? 1 : 0, (s & WS_TABSTOP) != 0, child == focus,
                    ClassOf(child) == "Button"
                        ? static_cast<long>(SendMessageA(child, BM_GETCHECK, 0, 0))
                        : -1L,
                    static_cast<unsigned long>(s), OneLine(TextOf(child)).c_str());
    }
    // The label's tool tip: a tooltips window owned by the main window.
    int tips = 0;
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (GetWindow(w, GW_OWNER) == main && ClassOf(w) == "tooltips_class32") ++tips;
    }
    std::printf("tooltips %d\n", tips);
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (GetWindow(w, GW_OWNER) == main && ClassOf(w) == "tooltips_class32" &&
            IsWindowVisible(w))
            std::printf("tooltip shown text=%s\n", OneLine(TextOf(w)).c_str());
    }
    return 0;
}

int Items() {
    HWND main = MainWindow();
    HWND list = main ? ListOf(main) : nullptr;
    if (!list) {
        std::printf("no list\n");
        return 1;
    }
    const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    const LRESULT selected = SendMessageA(list, LB_GETSELCOUNT, 0, 0);
    std::printf("count %ld selected %ld\n", static_cast<long>(count), static_cast<long>(selected));
    for (LRESULT i = 0; i < count; ++i) {
        // Asked in UTF-16 and printed in UTF-8, so that a name shows as the list holds it,
        // whatever the code page (and Wine hands an ANSI LB_GETTEXT from another process only
        // its first character).
        wchar_t wide[1024] = {};
        char text[4096] = {};
        const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, i, 0);
        if (length >= 0 && length < 1024) {
            SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(wide));
            WideCharToMultiByte(CP_UTF8, 0, wide, -1, text, sizeof text, nullptr, nullptr);
        }
        std::printf("item %ld %d %s\n", static_cast<long>(i),
                    SendMessageA(list, LB_GETSEL, i, 0) > 0 ? 1 : 0, text);
    }
    return 0;
}

int ItemPoint(int index) {
    HWND main = MainWindow();
    HWND list = main ? ListOf(main) : nullptr;
    if (!list) {
        std::printf("no list\n");
        return 1;
    }
    RECT client;
    GetClientRect(list, &client);
    const LRESULT top = SendMessageA(list, LB_GETTOPINDEX, 0, 0);
    const LRESULT height = SendMessageA(list, LB_GETITEMHEIGHT, 0, 0);
    const LONG y = static_cast<LONG>((index - top) * height + height / 2);
    if (index < top || height <= 0 || y >= client.bottom) {
        std::printf("entry %d not in view (top %ld)\n", index, static_cast<long>(top));
        return 1;
    }
    POINT point = {client.left + 20, y};
    ClientToScreen(list, &point);
    std::printf("%ld %ld\n", point.x, point.y);
    return 0;
}

int LabelPoint() {
    HWND main = MainWindow();
    HWND label = main ? FindWindowExA(main, nullptr, "Static", "pimbrel.net") : nullptr;
    if (!label) {
        std::printf("no label\n");
        return 1;
    }
    RECT r;
    GetWindowRect(label, &r);
    std::printf("%ld %ld\n", (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    return 0;
}

int Click(const char* caption) {
    HWND main = MainWindow();
    if (!main) {
        std::printf("no main window\n");
        return 1;
    }
    for (HWND child : Children(main)) {
        if (ClassOf(child) == "Button" && TextOf(child) == caption) {
            // Posted: a sent BM_CLICK would wait for the modal box that the click opens.
            PostMessageA(child, BM_CLICK, 0, 0);
            std::printf("clicked %s\n", caption);
            return 0;
        }
    }
    std::printf("no button %s\n", caption);
    return 1;
}

int Box(DWORD timeoutMs, bool dismiss) {
    HWND box = WaitFor(timeoutMs, VisibleBox);
    if (!box) {
        std::printf("no box\n");
        return 1;
    }
    Sleep(100);  // a box may get its children a moment after it appears
    std::string text;
    int icons = 0;
    HWND ok = nullptr;
    for (HWND child : Children(box)) {
        const std::string cls = ClassOf(child);
        const LONG s = GetWindowLongA(child, GWL_STYLE);
        if (cls == "Static" && (s & SS_TYPEMASK) == SS_ICON) {
            // An icon control that shows a picture and has a size.
            RECT r;
            GetWindowRect(child, &r);
            const bool shows = SendMessageA(child, STM_GETICON, 0, 0) != 0;
            if (IsWindowVisible(child) && shows && r.right > r.left) ++icons;
        } else if (cls == "Static" && IsWindowVisible(child)) {
            const std::string t = TextOf(child);
            if (!t.empty()) text = t;
        } else if (cls == "Button") {
            ok = child;
        }
    }
    const HWND owner = GetWindow(box, GW_OWNER);
    std::printf("box title=%s\n", TextOf(box).c_str());
    std::printf("box text=%s\n", OneLine(text).c_str());
    std::printf("box icon=%d\n", icons > 0 ? 1 : 0);
    std::printf("box owner=%s\n", owner ? ClassOf(owner).c_str() : "none");
    std::printf("box main_visible=%d\n", MainWindow() ? 1 : 0);
    if (dismiss) {
        if (ok) PostMessageA(ok, BM_CLICK, 0, 0);
        else PostMessageA(box, WM_COMMAND, IDOK, 0);
        const DWORD start = GetTickCount();
        while (IsWindow(box) && GetTickCount() - start < 5000) Sleep(20);
        std::printf("box dismissed=%d\n", IsWindow(box) ? 0 : 1);
    }
    return 0;
}

int NoBox(DWORD timeoutMs) {
    HWND box = WaitFor(timeoutMs, VisibleBox);
    if (box) {
        std::printf("box title=%s\n", TextOf(box).c_str());
        return 1;
    }
    std::printf("no box\n");
    return 0;
}

int Close() {
    HWND main = MainWindow();
    if (!main) {
        std::printf("no main window\n");
        return 1;
    }
    PostMessageA(main, WM_CLOSE, 0, 0);
    std::printf("closed\n");
    return 0;
}

int Usage() {
    std::printf("usage: probe wait-main MS | controls | items | item-point I | label-point | click TEXT | "
                "box MS [dismiss] | no-box MS | close\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Usage();
    const std::string command = argv[1];
    auto number = [&](int i) {
        return i < argc ? static_cast<DWORD>(std::strtoul(argv[i], nullptr, 10)) : 0;
    };
    int rc;
    if (command == "wait-main" && argc == 3) rc = WaitMain(number(2));
    else if (command == "controls") rc = Controls();
    else if (command == "items") rc = Items();
    else if (command == "item-point" && argc == 3) rc = ItemPoint(std::atoi(argv[2]));
    else if (command == "label-point") rc = LabelPoint();
    else if (command == "click" && argc == 3) rc = Click(argv[2]);
    else if (command == "box" && argc >= 3)
        rc = Box(number(2), argc >= 4 && std::string(argv[3]) == "dismiss");
    else if (command == "no-box" && argc == 3) rc = NoBox(number(2));
    else if (command == "close") rc = Close();
    else return Usage();
    std::fflush(stdout);
    return rc;
}

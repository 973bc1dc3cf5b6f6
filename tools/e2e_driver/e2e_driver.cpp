// e2e_driver: works the program under test and the Messenger stand-in from outside, through
// window messages only, for the end-to-end suites, the benchmark and the main job. One
// command a run (see Usage); every wait is bounded.
#include <windows.h>
#include <commctrl.h>
#include <tlhelp32.h>
#include <winternl.h>

#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "common/outside_view.h"
#include "list_view_images.h"
#include "messenger/messenger_contract.h"

namespace contract = pimbrel::contract;
using namespace outside;

namespace {

HWND Done() { return reinterpret_cast<HWND>(1); }

// Polls `find` every `pollMs` (0: without a pause) until it gives a window or `timeoutMs`
// has passed.
template <typename Find>
HWND WaitFor(DWORD timeoutMs, Find find, DWORD pollMs = 20) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (HWND found = find()) return found;
        if (GetTickCount() - start >= timeoutMs) return nullptr;
        if (pollMs) Sleep(pollMs);
    }
}

int Fail(const char* what) {
    std::printf("%s\n", what);
    return 3;
}

// Line breaks and tabs as visible escapes, so that every record stays on one line.
std::string OneLine(const std::string& text) {
    std::string out;
    for (char c : text)
        out += c == '\r' ? "\\r" : c == '\n' ? "\\n" : c == '\t' ? "\\t" : std::string(1, c);
    return out;
}

// A window handle from the environment, for scripts that run two programs at once.
HWND WindowFromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    return value ? reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::strtoul(value, nullptr, 10)))
                 : nullptr;
}

// The program's main window, by its class (its caption tells a run's progress). E2E_PROGRAM
// picks one of several by its handle, as wait-program printed it; E2E_OTHER_PROGRAM is never
// taken. The window exists, hidden, while the load step's box shows: `shown` asks for it seen.
HWND FindProgram(bool shown = true) {
    const HWND chosen = WindowFromEnvironment("E2E_PROGRAM");
    const HWND other = WindowFromEnvironment("E2E_OTHER_PROGRAM");
    for (HWND w : TopLevels())
        if (ClassOf(w) == kProgramClass && (!shown || IsWindowVisible(w)) &&
            (!chosen || w == chosen) && w != other)
            return w;
    return nullptr;
}

DWORD ProcessOf(HWND window) {
    DWORD pid = 0;
    if (window) GetWindowThreadProcessId(window, &pid);
    return pid;
}

bool Alive(DWORD pid) {
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
    if (!process) return false;
    const bool alive = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    CloseHandle(process);
    return alive;
}

HWND FindChild(HWND parent, const char* className, const char* text) {
    if (!parent) return nullptr;  // no window: not the desktop's top-level windows
    for (HWND child = FindWindowExA(parent, nullptr, className, nullptr); child;
         child = FindWindowExA(parent, child, className, nullptr))
        if (!text || TextOf(child) == text) return child;
    return nullptr;
}

std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> children;
    for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        children.push_back(c);
    return children;
}

HWND ListOf(HWND program) { return FindChild(program, WC_LISTVIEWA, nullptr); }

// Memory in the process of another program's window, for the messages whose structures a
// list view reads and fills where they are: the system does not carry them across.
class RemoteBuffer {
public:
    RemoteBuffer(HWND window, SIZE_T size) : size_(size) {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                               pid);
        if (process_) at_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
    }
    ~RemoteBuffer() {
        if (at_) VirtualFreeEx(process_, at_, 0, MEM_RELEASE);
        if (process_) CloseHandle(process_);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;
    bool Usable() const { return at_ != nullptr; }
    // The buffer's address in the other process, `offset` bytes in.
    char* At(SIZE_T offset = 0) const { return static_cast<char*>(at_) + offset; }
    bool Put(const void* data, SIZE_T size, SIZE_T offset = 0) const {
        return offset + size <= size_ &&
               WriteProcessMemory(process_, At(offset), data, size, nullptr);
    }
    bool Get(void* data, SIZE_T size, SIZE_T offset = 0) const {
        return offset + size <= size_ &&
               ReadProcessMemory(process_, At(offset), data, size, nullptr);
    }

private:
    HANDLE process_ = nullptr;
    void* at_ = nullptr;
    SIZE_T size_;
};

// One row of the program's list view as the list holds it: its image, its selection and the
// texts of its three columns (picture name, shortcut, result) in UTF-8.
struct Row {
    int image = -1;
    bool selected = false;
    std::string texts[3];
};

constexpr SIZE_T kTextChars = 1024;

bool ReadRow(HWND list, const RemoteBuffer& remote, int index, Row& row) {
    LVITEMW item{};
    item.mask = LVIF_IMAGE | LVIF_STATE;
    item.iItem = index;
    item.stateMask = LVIS_SELECTED;
    if (!remote.Put(&item, sizeof item) ||
        !SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(remote.At())) ||
        !remote.Get(&item, sizeof item))
        return false;
    row.image = item.iImage;
    row.selected = (item.state & LVIS_SELECTED) != 0;
    for (int column = 0; column < 3; ++column) {
        LVITEMW text{};
        text.iSubItem = column;
        text.pszText = reinterpret_cast<wchar_t*>(remote.At(sizeof(LVITEMW)));
        text.cchTextMax = kTextChars;
        wchar_t wide[kTextChars] = {};
        char bytes[4 * kTextChars] = {};
        if (!remote.Put(&text, sizeof text)) return false;
        const LRESULT length =
            SendMessageW(list, LVM_GETITEMTEXTW, index, reinterpret_cast<LPARAM>(remote.At()));
        if (length > 0 && !remote.Get(wide, length * sizeof(wchar_t), sizeof(LVITEMW)))
            return false;
        WideCharToMultiByte(CP_UTF8, 0, wide, -1, bytes, sizeof bytes, nullptr, nullptr);
        row.texts[column] = bytes;
    }
    return true;
}

// The buffer that ReadRow needs.
SIZE_T RowBufferSize() { return sizeof(LVITEMW) + kTextChars * sizeof(wchar_t); }

const char* ImageName(int image) {
    if (image == pimbrel::win32::kImageLoading) return "loading";
    if (image == pimbrel::win32::kImageNoPicture) return "placeholder";
    return image >= pimbrel::win32::kFirstPictureImage ? "picture" : "none";
}

// A message box of the program's process: a visible top-level standard dialog.
HWND BoxOf(DWORD pid) {
    for (HWND w : TopLevels())
        if (ProcessOf(w) == pid && ClassOf(w) == contract::kDialogClass && IsWindowVisible(w))
            return w;
    return nullptr;
}

// "TITLE|TEXT" of a box, the text in UTF-8 (the program's boxes are wide and show names in
// full), with "(icon) " in front when the box shows an icon.
std::string DescribeBox(HWND box) {
    bool icon = false;
    for (HWND child : Children(box)) {
        RECT r{};
        GetWindowRect(child, &r);
        if (ClassOf(child) == "Static" && IsWindowVisible(child) && r.right > r.left &&
            (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
            icon = icon || SendMessageA(child, STM_GETICON, 0, 0) != 0;
    }
    // The message is the Static with id 0xFFFF.
    HWND text = GetDlgItem(box, 0xFFFF);
    return (icon ? "(icon) " : "") + TextOf(box) + "|" + (text ? Utf8TextOf(text) : "");
}

// Answers a box with its button (OK), or closes it when it has none.
void Dismiss(HWND box) {
    if (HWND ok = FindChild(box, "Button", nullptr)) PostMessageA(ok, BM_CLICK, 0, 0);
    else PostMessageA(box, WM_CLOSE, 0, 0);
}

// The main window of whichever stand-in client runs; `newer` tells which.
HWND StandInMain(bool& newer) {
    HWND main = FindWindowA(contract::kOlderMainClass, nullptr);
    newer = main == nullptr;
    return main ? main : FindWindowA(contract::kNewerMainClass, nullptr);
}

void Post(HWND window, contract::Command command) {
    PostMessageA(window, contract::kWmCommand, command.wParam, command.lParam);
}

// --- the program's window ---

int WaitProgram(DWORD timeoutMs) {
    HWND program = WaitFor(timeoutMs, [] { return FindProgram(); });
    if (!program) return Fail("timeout");
    std::printf("%lu\n", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(program)));
    return 0;
}

int Click(const char* text) {
    HWND button = FindChild(FindProgram(), "Button", text);
    if (!button) return Fail("no such button");
    // Posted: a sent click would only return once the box it opens is closed.
    PostMessageA(button, BM_CLICK, 0, 0);
    return 0;
}

// The screen rectangle of the main window, or of its Button or Static with that text.
int Rect(const char* text) {
    HWND program = FindProgram();
    HWND target = text ? FindChild(program, "Button", text) : program;
    if (text && !target) target = FindChild(program, "Static", text);
    if (!target) return Fail("no such control");
    RECT r{};
    GetWindowRect(target, &r);
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    return 0;
}

// The main window, then its children in z-order (rectangles in client coordinates), then its
// tool tips: how many there are and the text of any shown, in UTF-8.
int Controls() {
    HWND program = FindProgram();
    if (!program) return Fail("no program window");
    RECT client{}, frame{};
    GetClientRect(program, &client);
    GetWindowRect(program, &frame);
    const LONG style = GetWindowLongA(program, GWL_STYLE);
    std::printf("window class=%s text=%s client=%ldx%ld sizable=%d maximizebox=%d minimizebox=%d "
                "frame=%ld,%ld,%ld,%ld\n",
                ClassOf(program).c_str(), TextOf(program).c_str(), client.right, client.bottom,
                (style & WS_THICKFRAME) != 0, (style & WS_MAXIMIZEBOX) != 0,
                (style & WS_MINIMIZEBOX) != 0, frame.left, frame.top, frame.right - frame.left,
                frame.bottom - frame.top);
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    const HWND focus =
        GetGUIThreadInfo(GetWindowThreadProcessId(program, nullptr), &gui) ? gui.hwndFocus : nullptr;
    int z = 0;
    for (HWND child : Children(program)) {
        RECT r{};
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, program, reinterpret_cast<POINT*>(&r), 2);
        const LONG s = GetWindowLongA(child, GWL_STYLE);
        const bool button = ClassOf(child) == "Button";
        std::printf("control z=%d class=%s rect=%ld,%ld,%ld,%ld enabled=%d visible=%d tabstop=%d "
                    "focus=%d checked=%ld style=0x%08lX text=%s\n",
                    z++, ClassOf(child).c_str(), r.left, r.top, r.right - r.left, r.bottom - r.top,
                    IsWindowEnabled(child) ? 1 : 0, IsWindowVisible(child) ? 1 : 0,
                    (s & WS_TABSTOP) != 0, child == focus,
                    button ? static_cast<long>(SendMessageA(child, BM_GETCHECK, 0, 0)) : -1L,
                    static_cast<unsigned long>(s), OneLine(TextOf(child)).c_str());
    }
    std::vector<HWND> tips;
    for (HWND w : TopLevels())
        if (GetWindow(w, GW_OWNER) == program && ClassOf(w) == "tooltips_class32") tips.push_back(w);
    std::printf("tooltips %u\n", static_cast<unsigned>(tips.size()));
    for (HWND tip : tips)
        if (IsWindowVisible(tip))
            std::printf("tooltip shown text=%s\n", OneLine(Utf8TextOf(tip)).c_str());
    return 0;
}

// "count N selected M", then "item I 0|1 NAME" an entry, the names in UTF-8 as the list
// holds them; with `columns`, "item I 0|1 IMAGE NAME|SHORTCUT|RESULT", IMAGE being loading,
// placeholder or picture.
int Items(bool columns) {
    HWND list = ListOf(FindProgram());
    if (!list) return Fail("no list");
    const RemoteBuffer remote(list, RowBufferSize());
    if (!remote.Usable()) return Fail("cannot reach the program's memory");
    const LRESULT count = SendMessageW(list, LVM_GETITEMCOUNT, 0, 0);
    std::printf("count %ld selected %ld\n", static_cast<long>(count),
                static_cast<long>(SendMessageW(list, LVM_GETSELECTEDCOUNT, 0, 0)));
    for (int i = 0; i < count; ++i) {
        Row row;
        if (!ReadRow(list, remote, i, row)) return Fail("cannot read a row");
        if (columns)
            std::printf("item %d %d %s %s|%s|%s\n", i, row.selected ? 1 : 0, ImageName(row.image),
                        row.texts[0].c_str(), row.texts[1].c_str(), row.texts[2].c_str());
        else
            std::printf("item %d %d %s\n", i, row.selected ? 1 : 0, row.texts[0].c_str());
    }
    return 0;
}

struct ImageCounts {
    int pictures = 0, placeholders = 0, loading = 0;
};

// The kinds of image that the list's rows from `first` on show; false when a row cannot be
// read.
bool CountImages(HWND list, const RemoteBuffer& remote, int first, ImageCounts& counts) {
    counts = ImageCounts{};
    const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = first < 0 ? 0 : first; i < count; ++i) {
        LVITEMW item{};
        item.mask = LVIF_IMAGE;
        item.iItem = i;
        if (!remote.Put(&item, sizeof item) ||
            !SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(remote.At())) ||
            !remote.Get(&item, sizeof item))
            return false;
        const std::string image = ImageName(item.iImage);
        (image == "picture" ? counts.pictures : image == "loading" ? counts.loading
                                                                   : counts.placeholders)++;
    }
    return true;
}

// Polls every 5 ms until no row shows the placeholder of a picture still being read. The
// pictures are read in list order, so only the last row is looked at until it is read, and
// then every row: looks at a thousand rows would keep the program busy answering them.
// 0 when all are read; 3 on a timeout (`counts` then says how many were loading) or when a
// row cannot be read (said on the output).
int WaitUntilRead(HWND list, double deadline, ImageCounts& counts) {
    const RemoteBuffer remote(list, sizeof(LVITEMW));
    if (!remote.Usable()) return Fail("cannot reach the program's memory");
    for (;;) {
        const int last = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)) - 1;
        if (!CountImages(list, remote, last, counts)) return Fail("cannot read a row");
        if (counts.loading == 0 && !CountImages(list, remote, 0, counts))
            return Fail("cannot read a row");
        if (counts.loading == 0) return 0;
        if (NowMs() >= deadline) return 3;
        Sleep(5);
    }
}

// Prints "MS ms: P pictures, U placeholders" once no row shows a picture still being read,
// MS counted from the first look; or "timeout: N loading".
int WaitPictures(DWORD timeoutMs) {
    HWND list = ListOf(FindProgram());
    if (!list) return Fail("no list");
    const double start = NowMs();
    ImageCounts counts;
    const int rc = WaitUntilRead(list, start + timeoutMs, counts);
    if (rc == 0)
        std::printf("%.1f ms: %d pictures, %d placeholders\n", NowMs() - start, counts.pictures,
                    counts.placeholders);
    if (rc == 3) std::printf("timeout: %d loading\n", counts.loading);
    return rc;
}

// The screen point "X Y" inside the list's entry (in its name, or in the middle of another
// column's cell), for a real click or a mouse at rest; the list is scrolled to show the
// entry first, as a user would.
int ItemPoint(int index, int column) {
    HWND list = ListOf(FindProgram());
    if (!list) return Fail("no list");
    SendMessageW(list, LVM_ENSUREVISIBLE, index, FALSE);
    const RemoteBuffer remote(list, sizeof(RECT));
    RECT item{LVIR_BOUNDS, column, 0, 0};
    if (!remote.Put(&item, sizeof item) ||
        !SendMessageW(list, column ? LVM_GETSUBITEMRECT : LVM_GETITEMRECT, index,
                      reinterpret_cast<LPARAM>(remote.At())) ||
        !remote.Get(&item, sizeof item))
        return Fail("no such entry");
    RECT client{}, heading{};
    GetClientRect(list, &client);
    if (HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0)))
        GetWindowRect(header, &heading);
    POINT point{column ? (item.left + item.right) / 2 : item.left + 20,
                (item.top + item.bottom) / 2};
    if (point.y < heading.bottom - heading.top || point.y >= client.bottom)
        return Fail("not in view");
    ClientToScreen(list, &point);
    std::printf("%ld %ld\n", point.x, point.y);
    return 0;
}

// The box that edits a Shortcut cell: a child of the list, while it shows.
HWND CellEditOf(HWND list) {
    HWND edit = nullptr;
    for (HWND child : Children(list))
        if (ClassOf(child) == "Edit" && IsWindowVisible(child)) edit = child;
    return edit;
}

// The box's "edit row=R text=TEXT focus=0|1", with its text in UTF-8 and the row it covers,
// or "none".
int CellEdit() {
    HWND list = ListOf(FindProgram());
    if (!list) return Fail("no list");
    HWND edit = CellEditOf(list);
    if (!edit) return Fail("none");
    RECT r{};
    GetWindowRect(edit, &r);
    LVHITTESTINFO hit{};
    hit.pt = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ScreenToClient(list, &hit.pt);
    const RemoteBuffer remote(list, sizeof hit);
    int row = -1;
    if (remote.Put(&hit, sizeof hit))
        row = static_cast<int>(
            SendMessageW(list, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(remote.At())));
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    const bool focus = GetGUIThreadInfo(GetWindowThreadProcessId(list, nullptr), &gui) &&
                       gui.hwndFocus == edit;
    std::printf("edit row=%d text=%s focus=%d\n", row, Utf8TextOf(edit).c_str(), focus ? 1 : 0);
    return 0;
}

// Types TEXT (in the code page) into the box, a character at a time, as an input method
// hands over what it has composed: X keyboard events cannot carry such characters to Wine.
// Sent, not posted: a posted character would pass the program's ANSI message loop, where
// Wine splits a double-byte one into two.
int TypeInBox(const char* text) {
    HWND edit = CellEditOf(ListOf(FindProgram()));
    if (!edit) return Fail("none");
    wchar_t wide[256] = {};
    MultiByteToWideChar(CP_ACP, 0, text, -1, wide, 256);
    for (const wchar_t* c = wide; *c; ++c) SendMessageW(edit, WM_CHAR, *c, 1);
    return 0;
}

// Gives the main window a client area of W x H pixels, as a user's drag of its frame would,
// and waits until the window has taken it; prints the client area it has then.
int Resize(int width, int height) {
    HWND program = FindProgram();
    if (!program) return Fail("no program window");
    RECT frame{0, 0, width, height};
    AdjustWindowRectEx(&frame, GetWindowLongA(program, GWL_STYLE), FALSE,
                       GetWindowLongA(program, GWL_EXSTYLE));
    SetWindowPos(program, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Sleep(300);  // the program lays its controls out and draws them
    RECT client{};
    GetClientRect(program, &client);
    std::printf("%ldx%ld\n", client.right, client.bottom);
    return 0;
}

// Maximises the main window as its title bar's button would, or gives it its size back;
// prints the client area it has then.
int Maximise(bool maximise) {
    HWND program = FindProgram();
    if (!program) return Fail("no program window");
    PostMessageA(program, WM_SYSCOMMAND, maximise ? SC_MAXIMIZE : SC_RESTORE, 0);
    Sleep(500);  // the program lays its controls out and draws them
    RECT client{};
    GetClientRect(program, &client);
    std::printf("%ldx%ld\n", client.right, client.bottom);
    return 0;
}

int State() {
    HWND program = FindProgram();
    HWND add = FindChild(program, "Button", "Add");
    HWND choose = FindChild(program, "Button", "Choose folder...");
    HWND overwrite = FindChild(program, "Button", "Overwrite");
    HWND list = ListOf(program);
    if (!add || !choose || !overwrite || !list) return Fail("controls missing");
    std::printf("add=%d choose=%d overwrite=%d list=%d checked=%d\n", IsWindowEnabled(add) ? 1 : 0,
                IsWindowEnabled(choose) ? 1 : 0,
                IsWindowEnabled(overwrite) ? 1 : 0, IsWindowEnabled(list) ? 1 : 0,
                SendMessageA(overwrite, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0);
    return 0;
}

int Select(int index, bool selected) {
    HWND list = ListOf(FindProgram());
    if (!list) return Fail("no list");
    const RemoteBuffer remote(list, sizeof(LVITEMW));
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED;
    state.state = selected ? LVIS_SELECTED : 0;
    if (!remote.Put(&state, sizeof state)) return Fail("cannot reach the program's memory");
    const LPARAM at = reinterpret_cast<LPARAM>(remote.At());
    return SendMessageW(list, LVM_SETITEMSTATE, index, at) ? 0 : 3;
}

int SetOverwrite(bool ticked) {
    HWND box = FindChild(FindProgram(), "Button", "Overwrite");
    if (!box) return Fail("no check box");
    // Clicked as a user would, so that the program sees the change however it tracks it.
    if ((SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED) != ticked)
        SendMessageA(box, BM_CLICK, 0, 0);
    return (SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED) == ticked ? 0 : 3;
}

// Waits for the program's next message box and prints it (see DescribeBox); "timeout", or
// "gone" when the program ended first. Dismissed with its button on request, and then waited
// for until it has closed.
int Box(DWORD timeoutMs, bool dismiss) {
    const DWORD start = GetTickCount();
    DWORD pid = 0;
    HWND box = nullptr;
    while (!(box = pid ? BoxOf(pid) : nullptr)) {
        if (!pid) pid = ProcessOf(FindProgram(false));
        if (pid && !Alive(pid)) return Fail("gone");
        if (GetTickCount() - start >= timeoutMs) return Fail("timeout");
        Sleep(20);
    }
    Sleep(100);  // a box may get its children a moment after it appears
    std::printf("%s\n", DescribeBox(box).c_str());
    if (!dismiss) return 0;
    Dismiss(box);
    if (!WaitFor(5000, [&] { return IsWindow(box) ? nullptr : Done(); })) return Fail("still shown");
    return 0;
}

BOOL CALLBACK FirstVisibleEdit(HWND child, LPARAM found) {
    if (ClassOf(child) != "Edit" || !IsWindowVisible(child)) return TRUE;
    *reinterpret_cast<HWND*>(found) = child;
    return FALSE;
}

// Waits for the program's folder picker (a dialog of its process), types PATH into its name
// box and presses its OK button, as a user would; prints the picker's title, or "timeout".
int PickFolder(DWORD timeoutMs, const char* path) {
    const DWORD pid = ProcessOf(FindProgram());
    if (!pid) return Fail("no program window");
    HWND picker = WaitFor(timeoutMs, [&] { return BoxOf(pid); });
    if (!picker) return Fail("timeout");
    HWND name = nullptr;
    // The name box, wherever the picker nests it.
    WaitFor(5000, [&] {
        EnumChildWindows(picker, &FirstVisibleEdit, reinterpret_cast<LPARAM>(&name));
        return name;
    });
    if (!name) return Fail("no name box");
    wchar_t wide[MAX_PATH] = {};
    MultiByteToWideChar(CP_UTF8, 0, path, -1, wide, MAX_PATH);
    SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide));
    std::printf("%s\n", TextOf(picker).c_str());
    PostMessageA(GetDlgItem(picker, IDOK), BM_CLICK, 0, 0);
    return 0;
}

// The list as a user sees it: "list WxH view ROWS columns W1,W2,W3 sideways 0|1", ROWS being
// the rows it shows whole, and sideways whether it scrolls sideways.
int ListView() {
    HWND list = ListOf(FindProgram());
    if (!list) return Fail("no list");
    RECT client{};
    GetClientRect(list, &client);
    std::printf("list %ldx%ld view %ld columns", client.right, client.bottom,
                static_cast<long>(SendMessageW(list, LVM_GETCOUNTPERPAGE, 0, 0)));
    for (int column = 0; column < 3; ++column)
        std::printf("%c%ld", column ? ',' : ' ',
                    static_cast<long>(SendMessageW(list, LVM_GETCOLUMNWIDTH, column, 0)));
    std::printf(" sideways %d\n", (GetWindowLongA(list, GWL_STYLE) & WS_HSCROLL) != 0);
    return 0;
}

// Reads the main window's caption every 5 ms until the program shows a message box, and
// prints each caption as it changes, then "box: CAPTION" with the caption at that moment.
int WatchCaption(DWORD timeoutMs) {
    HWND program = FindProgram();
    const DWORD pid = ProcessOf(program);
    if (!pid) return Fail("no program window");
    const DWORD start = GetTickCount();
    std::string last;
    for (;;) {
        const std::string caption = TextOf(program);
        if (caption != last) std::printf("%s\n", caption.c_str());
        last = caption;
        if (BoxOf(pid)) {
            std::printf("box: %s\n", TextOf(program).c_str());
            return 0;
        }
        if (!Alive(pid)) return Fail("gone");
        if (GetTickCount() - start >= timeoutMs) return Fail("timeout");
        Sleep(5);
    }
}

// The list as a run shows it: "focus=F top=T page=P|RESULT|RESULT..." with the row that has
// the list's focus, the first row in view and how many fit, then the Result column row by row.
std::string RunView(HWND list, const RemoteBuffer& remote) {
    std::string view =
        "focus=" +
        std::to_string(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED)) +
        " top=" + std::to_string(SendMessageW(list, LVM_GETTOPINDEX, 0, 0)) +
        " page=" + std::to_string(SendMessageW(list, LVM_GETCOUNTPERPAGE, 0, 0));
    const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    Row row;
    for (int i = 0; i < count && ReadRow(list, remote, i, row); ++i) view += "|" + row.texts[2];
    return view;
}

// Follows a run in the list until the program shows a message box: its RunView each time it
// changes, then "box"; or "gone" or "timeout". The program goes on between the messages that
// read it, so a view counts only when a second read gives the same.
int WatchRun(DWORD timeoutMs) {
    HWND program = FindProgram();
    HWND list = ListOf(program);
    const DWORD pid = ProcessOf(program);
    if (!list) return Fail("no list");
    const RemoteBuffer remote(list, RowBufferSize());
    if (!remote.Usable()) return Fail("cannot reach the program's memory");
    const DWORD start = GetTickCount();
    std::string last;
    while (!BoxOf(pid)) {
        if (!Alive(pid)) return Fail("gone");
        if (GetTickCount() - start >= timeoutMs) return Fail("timeout");
        const std::string view = RunView(list, remote);
        if (view != last && view == RunView(list, remote)) {
            std::printf("%s\n", view.c_str());
            std::fflush(stdout);
            last = view;
        }
        Sleep(20);
    }
    std::printf("box\n");
    return 0;
}

// Closes the main window as a user would and waits until the program has ended.
int CloseProgram(DWORD timeoutMs) {
    HWND program = FindProgram(false);
    if (!program) return 0;
    const DWORD pid = ProcessOf(program);
    PostMessageA(program, WM_CLOSE, 0, 0);
    return WaitFor(timeoutMs, [&] { return Alive(pid) ? nullptr : Done(); }) ? 0 : Fail("timeout");
}

int QuitStandIn(DWORD timeoutMs) {
    bool newer = false;
    HWND main = StandInMain(newer);
    if (!main) return 0;
    PostMessageA(main, WM_CLOSE, 0, 0);
    return WaitFor(timeoutMs, [&] { return IsWindow(main) ? nullptr : Done(); }) ? 0
                                                                                : Fail("timeout");
}

// --- timings, for the benchmark ---

// Presses Add and waits, polling every millisecond, for the program's next message box.
// Prints "WALL_MS|TITLE|TEXT": the run's wall time, then dismisses the box. (The program's CPU
// time is read by the benchmark from the kernel: Wine's GetProcessTimes of another process
// overstates it.)
int TimedAdd(DWORD timeoutMs) {
    HWND program = FindProgram();
    HWND button = FindChild(program, "Button", "Add");
    if (!button) return Fail("no such button");
    const DWORD pid = ProcessOf(program);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
    if (!process) return Fail("cannot open the program's process");
    timeBeginPeriod(1);
    const double start = NowMs();
    PostMessageA(button, BM_CLICK, 0, 0);
    HWND box = nullptr;
    while (!(box = BoxOf(pid)) && WaitForSingleObject(process, 0) == WAIT_TIMEOUT &&
           NowMs() - start < timeoutMs)
        Sleep(1);
    const double wall = NowMs() - start;
    timeEndPeriod(1);
    CloseHandle(process);
    if (!box) return Fail("no message box");
    Sleep(50);  // let the box finish laying out its text
    std::printf("%.1f|%s\n", wall, DescribeBox(box).c_str());
    Dismiss(box);
    return 0;
}

// Starts FOLDER\Pimbrel.exe in FOLDER and prints the milliseconds until its main window is
// visible, and with `drawn` also until every row shows its picture (or a placeholder for one
// that cannot be shown); the program is left running.
int TimedStart(const std::string& folder, DWORD timeoutMs, bool drawn) {
    std::string commandLine = "\"" + folder + "\\Pimbrel.exe\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    timeBeginPeriod(1);
    const double start = NowMs();
    HWND shown = nullptr;
    if (CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                       folder.c_str(), &startup, &info)) {
        shown = WaitFor(timeoutMs, [&]() -> HWND {
            for (HWND w : TopLevels())
                if (ProcessOf(w) == info.dwProcessId && IsWindowVisible(w) &&
                    ClassOf(w) != contract::kDialogClass)
                    return w;
            return nullptr;
        }, 1);
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
    }
    const double wall = NowMs() - start;
    ImageCounts counts;
    const int rc = shown && drawn ? WaitUntilRead(ListOf(shown), start + timeoutMs, counts) : 0;
    const double read = NowMs() - start;
    timeEndPeriod(1);
    if (!shown) return Fail("timeout");
    if (rc != 0) return Fail("timeout while the pictures were read");
    if (drawn)
        std::printf("%.1f %.1f\n", wall, read);
    else
        std::printf("%.1f\n", wall);
    return 0;
}

// The three texts of one emoticon, in the order they go into the create dialog's Edits.
struct Entry {
    std::string path, shortcut, name;
};

// Enters the pictures into the stand-in with the messages the program sends, waiting for
// each window without a pause of its own: the floor that this machine and the stand-in
// allow, beside which the program is measured. Prints "scripted COUNT pictures: TOTAL ms,
// PER ms a picture" or what went wrong.
int Script(const std::vector<Entry>& entries) {
    const int count = static_cast<int>(entries.size());
    const DWORD kGiveUpMs = 10000;  // a wait that long means the stand-in is not answering
    const auto spin = [&](auto find) { return WaitFor(kGiveUpMs, find, 0) != nullptr; };
    const auto failed = [](const char* what, int index) {
        std::printf("failed: %s at picture %d\n", what, index);
        return 3;
    };
    bool newer = false;
    HWND main = StandInMain(newer);
    if (!main) return failed("no messenger", -1);
    const char* emoticonClass = newer ? contract::kNewerEmoticonClass : contract::kDialogClass;
    const double start = NowMs();
    Post(main, newer ? contract::kOpenEmoticonsNewer : contract::kOpenEmoticonsOlder);
    HWND emoticons = nullptr;
    if (!spin([&] { return emoticons = OwnedBy(main, emoticonClass); }))
        return failed("no emoticon dialog", -1);
    for (int i = 0; i < count; ++i) {
        Post(emoticons, newer ? contract::kOpenCreateNewer : contract::kOpenCreateOlder);
        HWND create = nullptr, edits[3] = {};
        if (!spin([&]() -> HWND {
                create = OwnedBy(emoticons, contract::kDialogClass);
                for (int e = 0; e < 3; ++e) {
                    HWND after = e ? edits[e - 1] : nullptr;
                    edits[e] = create && (e == 0 || after)
                                   ? FindWindowExA(create, after, contract::kEditClass, nullptr)
                                   : nullptr;
                }
                return edits[2];
            }))
            return failed("no create dialog", i);
        const std::string texts[3] = {entries[i].path, entries[i].shortcut, entries[i].name};
        for (int e = 0; e < 3; ++e)
            SendMessageA(edits[e], contract::kWmSetText, contract::kSetTextWParam,
                         reinterpret_cast<LPARAM>(texts[e].c_str()));
        Post(create, contract::kConfirm);
        if (!spin([&] {
                return !IsWindow(create) || OwnedBy(create, contract::kDialogClass) ? Done()
                                                                                    : nullptr;
            }))
            return failed("no outcome", i);
        if (IsWindow(create)) return failed("prompted", i);
    }
    Post(emoticons, contract::kCloseEmoticons);
    if (!spin([&] { return IsWindow(emoticons) ? nullptr : Done(); }))
        return failed("emoticon dialog stays", count);
    const double total = NowMs() - start;
    std::printf("scripted %d pictures: %.1f ms, %.2f ms a picture\n", count, total,
                count > 0 ? total / count : 0.0);
    return 0;
}

// FOLDER\p000.gif... as (p000)...
int ScriptNumbered(const std::string& folder, int count) {
    std::vector<Entry> entries;
    for (int i = 0; i < count; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "p%03d", i);
        entries.push_back({folder + "\\" + name + ".gif", std::string("(") + name + ")", name});
    }
    return Script(entries);
}

// The entries of a file of lines "SHORTCUT|NAME|PATH" in the ANSI code page, as the program
// would enter them: the same texts, so the same work for the stand-in.
int ScriptListed(const char* file) {
    FILE* in = std::fopen(file, "rb");
    if (!in) return Fail("the list of entries cannot be read");
    std::vector<Entry> entries;
    char line[1024];
    while (std::fgets(line, sizeof line, in)) {
        std::string text(line);
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
        // No file name holds a "|"; a shortcut may.
        const std::size_t last = text.rfind('|');
        const std::size_t before = last == std::string::npos || last == 0
                                       ? std::string::npos
                                       : text.rfind('|', last - 1);
        if (before == std::string::npos) continue;
        entries.push_back({text.substr(last + 1), text.substr(0, before),
                           text.substr(before + 1, last - before - 1)});
    }
    std::fclose(in);
    return Script(entries);
}

// --- programs the program under test starts ---

// The processes of that executable name (any case) that run now, by id.
std::set<DWORD> ProcessesNamed(const std::string& name) {
    std::set<DWORD> found;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return found;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
        if (lstrcmpiA(entry.szExeFile, name.c_str()) == 0) found.insert(entry.th32ProcessID);
    CloseHandle(snapshot);
    return found;
}

// One of another process's own strings, from its memory, in the ANSI code page.
bool ReadRemote(HANDLE process, const UNICODE_STRING& text, std::string& out) {
    if (!text.Buffer || text.Length == 0) return false;
    std::wstring wide(text.Length / sizeof(wchar_t), L'\0');
    if (!ReadProcessMemory(process, text.Buffer, &wide[0], text.Length, nullptr)) return false;
    char ansi[4096] = {};
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, ansi, sizeof ansi - 1, nullptr, nullptr);
    out = ansi;
    return true;
}

// RTL_USER_PROCESS_PARAMETERS as far as it is read here (winternl.h stops early).
struct ProcessParameters {
    ULONG maximumLength, length, flags, debugFlags;
    HANDLE console;
    ULONG consoleFlags;
    HANDLE input, output, error;
    UNICODE_STRING currentDirectory;
    HANDLE currentDirectoryHandle;
    UNICODE_STRING dllPath, imagePath, commandLine;
    PVOID environment;
    ULONG x, y, width, height, columns, rows, fillAttribute, startFlags, showWindow;
};

// How a process was started, as its parameters hold it: "IMAGE|CURRENT FOLDER|SHOW|COMMAND
// LINE", SHOW being the show style or "-" without one; false until the new process has set
// them up.
bool StartedAs(DWORD pid, std::string& started) {
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (!process) return false;
    PROCESS_BASIC_INFORMATION basic{};
    PEB peb{};
    ProcessParameters parameters{};
    std::string image, folder, commandLine;
    const bool read =
        NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic,
                                  nullptr) >= 0 &&
        ReadProcessMemory(process, basic.PebBaseAddress, &peb, sizeof peb, nullptr) &&
        peb.ProcessParameters &&
        ReadProcessMemory(process, peb.ProcessParameters, &parameters, sizeof parameters,
                          nullptr) &&
        ReadRemote(process, parameters.imagePath, image) &&
        ReadRemote(process, parameters.currentDirectory, folder) &&
        ReadRemote(process, parameters.commandLine, commandLine);
    CloseHandle(process);
    if (!read) return false;
    const std::string show = parameters.startFlags & STARTF_USESHOWWINDOW
                                 ? std::to_string(parameters.showWindow)
                                 : std::string("-");
    started = image + "|" + folder + "|" + show + "|" + commandLine;
    return true;
}

// Prints "watching", then for each process of executable NAME that starts within MS
// milliseconds how it was started (see StartedAs), until COUNT have started; "none" when
// none did.
int Starts(const std::string& name, DWORD timeoutMs, unsigned count) {
    const std::set<DWORD> before = ProcessesNamed(name);
    std::set<DWORD> reported;
    std::printf("watching\n");
    std::fflush(stdout);
    const DWORD start = GetTickCount();
    while (reported.size() < count && GetTickCount() - start < timeoutMs) {
        for (DWORD pid : ProcessesNamed(name)) {
            std::string started;
            if (before.count(pid) || reported.count(pid) || !StartedAs(pid, started)) continue;
            reported.insert(pid);
            std::printf("%s\n", started.c_str());
            std::fflush(stdout);
        }
        Sleep(5);
    }
    if (reported.empty()) std::printf("none\n");
    return 0;
}

int Usage() {
    std::fprintf(stderr,
                 "e2e_driver COMMAND, one of:\n"
                 "  wait-program MS | click TEXT | rect [TEXT] | controls | items | rows\n"
                 "  | wait-pictures MS | item-point I [COLUMN] | cell-edit | type-in-box TEXT\n"
                 "  | resize W H | maximise 0|1 | list-view\n"
                 "  | pick-folder MS PATH\n"
                 "  | state | select I 0|1 | overwrite 0|1 | box MS [dismiss] | watch-caption MS\n"
                 "  | watch-run MS\n"
                 "  | close-program MS | quit-standin MS\n"
                 "  | timed-add MS | timed-start FOLDER MS [drawn] | script FOLDER COUNT\n"
                 "  | script-listed FILE\n"
                 "  | starts NAME MS COUNT\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Usage();
    const std::string command = argv[1];
    const auto number = [&](int i) {
        return i < argc ? static_cast<DWORD>(std::strtoul(argv[i], nullptr, 10)) : 0;
    };
    const auto is = [&](const char* name, int arguments) {
        return command == name && argc == arguments + 2;
    };
    int rc;
    if (is("wait-program", 1)) rc = WaitProgram(number(2));
    else if (is("click", 1)) rc = Click(argv[2]);
    else if (is("rect", 0) || is("rect", 1)) rc = Rect(argc == 3 ? argv[2] : nullptr);
    else if (is("controls", 0)) rc = Controls();
    else if (is("items", 0)) rc = Items(false);
    else if (is("rows", 0)) rc = Items(true);
    else if (is("wait-pictures", 1)) rc = WaitPictures(number(2));
    else if (is("resize", 2)) rc = Resize(std::atoi(argv[2]), std::atoi(argv[3]));
    else if (is("maximise", 1)) rc = Maximise(number(2) != 0);
    else if (is("item-point", 1) || is("item-point", 2))
        rc = ItemPoint(std::atoi(argv[2]), argc == 4 ? std::atoi(argv[3]) : 0);
    else if (is("cell-edit", 0)) rc = CellEdit();
    else if (is("type-in-box", 1)) rc = TypeInBox(argv[2]);
    else if (is("state", 0)) rc = State();
    else if (is("list-view", 0)) rc = ListView();
    else if (is("pick-folder", 2)) rc = PickFolder(number(2), argv[3]);
    else if (is("select", 2)) rc = Select(std::atoi(argv[2]), number(3) != 0);
    else if (is("overwrite", 1)) rc = SetOverwrite(number(2) != 0);
    else if (is("box", 1) || is("box", 2))
        rc = Box(number(2), argc == 4 && std::string(argv[3]) == "dismiss");
    else if (is("watch-caption", 1)) rc = WatchCaption(number(2));
    else if (is("watch-run", 1)) rc = WatchRun(number(2));
    else if (is("close-program", 1)) rc = CloseProgram(number(2));
    else if (is("quit-standin", 1)) rc = QuitStandIn(number(2));
    else if (is("timed-add", 1)) rc = TimedAdd(number(2));
    else if (is("timed-start", 2)) rc = TimedStart(argv[2], number(3), false);
    else if (is("timed-start", 3) && std::string(argv[4]) == "drawn")
        rc = TimedStart(argv[2], number(3), true);
    else if (is("script", 2)) rc = ScriptNumbered(argv[2], std::atoi(argv[3]));
    else if (is("script-listed", 1)) rc = ScriptListed(argv[2]);
    else if (is("starts", 3)) rc = Starts(argv[2], number(3), number(4));
    else return Usage();
    std::fflush(stdout);
    return rc;
}

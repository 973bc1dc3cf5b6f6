// e2e_driver: works the program under test and the Messenger stand-in from outside, through
// window messages only, for the end-to-end scripts. One command a run; every wait bounded.
#include <windows.h>
#include <tlhelp32.h>
#include <winternl.h>

#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "common/outside_view.h"
#include "messenger/messenger_contract.h"

namespace contract = pimbrel::contract;
using namespace outside;

namespace {

// A window handle from the environment, for scripts that run two programs at once.
HWND WindowFromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    return value ? reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::strtoul(value, nullptr, 10)))
                 : nullptr;
}

// The program's main window, by its class (its caption tells the progress of a run).
// E2E_PROGRAM picks one of several by its handle (as wait-program printed it);
// E2E_OTHER_PROGRAM is never taken.
HWND FindProgram() {
    const HWND chosen = WindowFromEnvironment("E2E_PROGRAM");
    const HWND other = WindowFromEnvironment("E2E_OTHER_PROGRAM");
    for (HWND w : TopLevels())
        if (ClassOf(w) == kProgramClass && IsWindowVisible(w) && (!chosen || w == chosen) &&
            w != other)
            return w;
    return nullptr;
}

HWND FindChild(HWND parent, const char* className, const char* text) {
    for (HWND child = FindWindowExA(parent, nullptr, className, nullptr); child;
         child = FindWindowExA(parent, child, className, nullptr))
        if (!text || TextOf(child) == text) return child;
    return nullptr;
}

// Polls `find` every 20 ms until it gives a window or `timeoutMs` has passed.
template <typename Find>
HWND WaitFor(DWORD timeoutMs, Find find) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (HWND found = find()) return found;
        if (GetTickCount() - start >= timeoutMs) return nullptr;
        Sleep(20);
    }
}

HWND StandInMain(bool& newer) {
    HWND main = FindWindowA(contract::kOlderMainClass, nullptr);
    newer = main == nullptr;
    if (!main) main = FindWindowA(contract::kNewerMainClass, nullptr);
    return main;
}

void Post(HWND window, contract::Command command) {
    PostMessageA(window, contract::kWmCommand, command.wParam, command.lParam);
}

int Fail(const char* what) {
    std::printf("%s\n", what);
    std::fflush(stdout);
    return 3;
}

HWND RequireProgram() {
    HWND program = FindProgram();
    if (!program) std::printf("no program window\n");
    return program;
}

bool ProgramAlive(DWORD pid) {
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
    if (!process) return false;
    const bool alive = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    CloseHandle(process);
    return alive;
}

// A message box of the program's process: a visible top-level standard dialog.
HWND ProgramBox(DWORD pid) {
    for (HWND w : TopLevels()) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner == pid && ClassOf(w) == contract::kDialogClass && IsWindowVisible(w)) return w;
    }
    return nullptr;
}

// The box's message in UTF-8: the program's boxes are wide, and show names in full.
std::string BoxText(HWND box) {
    // The message is the Static control with id 0xFFFF; fall back to any Static with text.
    if (HWND text = GetDlgItem(box, 0xFFFF)) return Utf8TextOf(text);
    for (HWND child = FindWindowExA(box, nullptr, "Static", nullptr); child;
         child = FindWindowExA(box, child, "Static", nullptr))
        if (!TextOf(child).empty()) return Utf8TextOf(child);
    return "";
}

// --- commands for the program under test ---

int WaitProgram(DWORD timeoutMs) {
    HWND program = WaitFor(timeoutMs, FindProgram);
    if (!program) return Fail("timeout");
    std::printf("%lu\n", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(program)));
    return 0;
}

int ClickControl(const char* text) {
    HWND program = RequireProgram();
    if (!program) return 3;
    HWND button = FindChild(program, "Button", text);
    if (!button) return Fail("no such button");
    // Posted: a sent click would only return once the whole run is over.
    PostMessageA(button, BM_CLICK, 0, 0);
    return 0;
}

int Rect(const char* text) {
    HWND program = RequireProgram();
    if (!program) return 3;
    HWND target = text ? FindChild(program, "Button", text) : program;
    if (text && !target) target = FindChild(program, "Static", text);
    if (!target) return Fail("no such control");
    RECT r{};
    GetWindowRect(target, &r);
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    return 0;
}

int Box(DWORD timeoutMs, bool dismiss) {
    HWND program = RequireProgram();
    if (!program) return 3;
    DWORD pid = 0;
    GetWindowThreadProcessId(program, &pid);
    const DWORD start = GetTickCount();
    HWND box = nullptr;
    for (;;) {
        box = ProgramBox(pid);
        if (box) break;
        if (!ProgramAlive(pid)) return Fail("gone");
        if (GetTickCount() - start >= timeoutMs) return Fail("timeout");
        Sleep(20);
    }
    Sleep(50);  // let the box finish laying out its text
    std::printf("%s|%s\n", TextOf(box).c_str(), BoxText(box).c_str());
    std::fflush(stdout);
    if (dismiss) {
        if (HWND ok = FindChild(box, "Button", nullptr))
            PostMessageA(ok, BM_CLICK, 0, 0);
        else
            PostMessageA(box, WM_CLOSE, 0, 0);
    }
    return 0;
}

// Reads the main window's caption every 5 ms until the program shows a message box, and
// prints each caption as it changes, then "box: CAPTION" with the caption at that moment.
int WatchCaption(DWORD timeoutMs) {
    HWND program = RequireProgram();
    if (!program) return 3;
    DWORD pid = 0;
    GetWindowThreadProcessId(program, &pid);
    const DWORD start = GetTickCount();
    std::string last;
    for (;;) {
        const std::string caption = TextOf(program);
        if (caption != last) std::printf("%s\n", caption.c_str());
        last = caption;
        if (ProgramBox(pid)) {
            std::printf("box: %s\n", TextOf(program).c_str());
            return 0;
        }
        if (!ProgramAlive(pid)) return Fail("gone");
        if (GetTickCount() - start >= timeoutMs) return Fail("timeout");
        Sleep(5);
    }
}

int WaitGone(DWORD timeoutMs) {
    HWND program = FindProgram();
    if (!program) return 0;
    DWORD pid = 0;
    GetWindowThreadProcessId(program, &pid);
    const DWORD start = GetTickCount();
    while (ProgramAlive(pid)) {
        if (GetTickCount() - start >= timeoutMs) return Fail("timeout");
        Sleep(20);
    }
    return 0;
}

// Whether the program's window takes posted messages, as it takes the user's input: a
// scroll of the picture list is posted and looked for (a sent message would be handled even
// by a thread blocked in a send of its own). Prints "responds" or "frozen".
int Responds(DWORD timeoutMs) {
    HWND program = RequireProgram();
    if (!program) return 3;
    HWND list = FindWindowExA(program, nullptr, "ListBox", nullptr);
    if (!list) return Fail("no list");
    const LRESULT top = SendMessageA(list, LB_GETTOPINDEX, 0, 0);
    const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    PostMessageA(list, LB_SETTOPINDEX, top == 0 ? count - 1 : 0, 0);
    const bool moved = WaitFor(timeoutMs, [&]() -> HWND {
        return SendMessageA(list, LB_GETTOPINDEX, 0, 0) != top ? list : nullptr;
    }) != nullptr;
    std::printf("%s\n", moved ? "responds" : "frozen");
    return 0;
}

int State() {
    HWND program = RequireProgram();
    if (!program) return 3;
    HWND add = FindChild(program, "Button", "Add");
    HWND overwrite = FindChild(program, "Button", "Overwrite");
    HWND list = FindWindowExA(program, nullptr, "ListBox", nullptr);
    if (!add || !overwrite || !list) return Fail("controls missing");
    std::printf("add=%d overwrite=%d list=%d checked=%d\n", IsWindowEnabled(add) ? 1 : 0,
                IsWindowEnabled(overwrite) ? 1 : 0, IsWindowEnabled(list) ? 1 : 0,
                SendMessageA(overwrite, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0);
    return 0;
}

int List() {
    HWND program = RequireProgram();
    if (!program) return 3;
    HWND list = FindWindowExA(program, nullptr, "ListBox", nullptr);
    if (!list) return Fail("no list");
    const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[1024] = {};
        const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, i, 0);
        if (length >= 0 && length < static_cast<LRESULT>(sizeof text))
            SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        std::printf("%d\t%d\t%s\n", i, SendMessageA(list, LB_GETSEL, i, 0) > 0 ? 1 : 0, text);
    }
    return 0;
}

int Select(int index, bool selected) {
    HWND program = RequireProgram();
    if (!program) return 3;
    HWND list = FindWindowExA(program, nullptr, "ListBox", nullptr);
    if (!list) return Fail("no list");
    return SendMessageA(list, LB_SETSEL, selected ? TRUE : FALSE, index) == LB_ERR ? 3 : 0;
}

int SetOverwrite(bool ticked) {
    HWND program = RequireProgram();
    if (!program) return 3;
    HWND box = FindChild(program, "Button", "Overwrite");
    if (!box) return Fail("no check box");
    const bool now = SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
    // Clicked like a user would, so that the program sees the change however it tracks it.
    if (now != ticked) SendMessageA(box, BM_CLICK, 0, 0);
    return (SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED) == ticked ? 0 : 3;
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

// --- commands that play the program's part against the stand-in alone ---

// Enters one emoticon the way the program does and prints what Messenger showed:
// "stored", "prompt N" (N Buttons) or "timeout". ANSWER: yes, no, dismiss=SHORTCUT, none.
int Enter(const std::string& path, const std::string& shortcut, const std::string& name,
          const std::string& answer, DWORD timeoutMs) {
    bool newer = false;
    HWND main = StandInMain(newer);
    if (!main) return Fail("no messenger");
    const char* emoticonClass = newer ? contract::kNewerEmoticonClass : contract::kDialogClass;
    HWND emoticons = OwnedBy(main, emoticonClass);
    if (!emoticons) {
        Post(main, newer ? contract::kOpenEmoticonsNewer : contract::kOpenEmoticonsOlder);
        emoticons = WaitFor(timeoutMs, [&] { return OwnedBy(main, emoticonClass); });
        if (!emoticons) return Fail("timeout");
    }
    Post(emoticons, newer ? contract::kOpenCreateNewer : contract::kOpenCreateOlder);
    HWND create = nullptr, edits[3] = {};
    const bool found = WaitFor(timeoutMs, [&]() -> HWND {
        create = OwnedBy(emoticons, contract::kDialogClass);
        if (!create) return nullptr;
        edits[0] = FindWindowExA(create, nullptr, "Edit", nullptr);
        edits[1] = edits[0] ? FindWindowExA(create, edits[0], "Edit", nullptr) : nullptr;
        edits[2] = edits[1] ? FindWindowExA(create, edits[1], "Edit", nullptr) : nullptr;
        return edits[2];
    }) != nullptr;
    if (!found) return Fail("timeout");
    const std::string texts[3] = {path, shortcut, name};
    for (int i = 0; i < 3; ++i)
        SendMessageA(edits[i], contract::kWmSetText, contract::kSetTextWParam,
                     reinterpret_cast<LPARAM>(texts[i].c_str()));
    Post(create, contract::kConfirm);
    HWND prompt = WaitFor(timeoutMs, [&]() -> HWND {
        if (!IsWindow(create)) return reinterpret_cast<HWND>(1);
        return OwnedBy(create, contract::kDialogClass);
    });
    if (!prompt) return Fail("timeout");
    if (prompt == reinterpret_cast<HWND>(1)) {
        std::printf("stored\n");
        return 0;
    }
    int buttons = 0;
    for (HWND b = FindWindowExA(prompt, nullptr, "Button", nullptr); b;
         b = FindWindowExA(prompt, b, "Button", nullptr))
        ++buttons;
    std::printf("prompt %d\n", buttons);
    if (answer == "yes") {
        Post(prompt, contract::kOverwriteYes);
    } else if (answer == "no") {
        Post(prompt, contract::kOverwriteNoPrompt);
        Post(create, contract::kOverwriteNoCreate);
    } else if (answer.rfind("dismiss=", 0) == 0) {
        Post(prompt, contract::kDismissOneButton);
        const std::string replacement = answer.substr(8);
        SendMessageA(edits[1], contract::kWmSetText, contract::kSetTextWParam,
                     reinterpret_cast<LPARAM>(replacement.c_str()));
        Post(create, contract::kConfirm);
        if (!WaitFor(timeoutMs, [&]() -> HWND {
                return IsWindow(create) ? nullptr : reinterpret_cast<HWND>(1);
            }))
            return Fail("timeout");
        std::printf("stored\n");
    }
    return 0;
}

// --- timings, for the benchmarks ---

// Presses Add and waits, polling every millisecond, for the program's next message box.
// Prints "WALL_MS CPU_MS|TITLE|TEXT": the run's wall time and the CPU time the program
// spent meanwhile (-1 where the system does not tell), then dismisses the box.
int TimedAdd(DWORD timeoutMs) {
    HWND program = RequireProgram();
    if (!program) return 3;
    HWND button = FindChild(program, "Button", "Add");
    if (!button) return Fail("no such button");
    DWORD pid = 0;
    GetWindowThreadProcessId(program, &pid);
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | SYNCHRONIZE, FALSE, pid);
    if (!process) return Fail("cannot open the program's process");
    timeBeginPeriod(1);
    const double cpuBefore = CpuMs(process);
    const double start = NowMs();
    PostMessageA(button, BM_CLICK, 0, 0);
    HWND box = nullptr;
    while (!(box = ProgramBox(pid))) {
        if (WaitForSingleObject(process, 0) != WAIT_TIMEOUT) break;
        if (NowMs() - start >= timeoutMs) break;
        Sleep(1);
    }
    const double wall = NowMs() - start;
    const double cpuAfter = CpuMs(process);
    timeEndPeriod(1);
    CloseHandle(process);
    if (!box) return Fail("no message box");
    Sleep(50);  // let the box finish laying out its text
    std::printf("%.1f %.1f|%s|%s\n", wall, cpuBefore < 0 || cpuAfter < 0 ? -1.0 : cpuAfter - cpuBefore,
                TextOf(box).c_str(), BoxText(box).c_str());
    if (HWND ok = FindChild(box, "Button", nullptr)) PostMessageA(ok, BM_CLICK, 0, 0);
    return 0;
}

// Starts FOLDER\Pimbrel.exe in FOLDER and prints the milliseconds until its main window is
// visible; the program is left running.
int TimedStart(const std::string& folder, DWORD timeoutMs) {
    std::string commandLine = "\"" + folder + "\\Pimbrel.exe\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    timeBeginPeriod(1);
    const double start = NowMs();
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &info)) {
        timeEndPeriod(1);
        return Fail("cannot start the program");
    }
    HWND shown = nullptr;
    while (!shown) {
        for (HWND w : TopLevels()) {
            DWORD pid = 0;
            GetWindowThreadProcessId(w, &pid);
            if (pid == info.dwProcessId && IsWindowVisible(w) && ClassOf(w) != contract::kDialogClass)
                shown = w;
        }
        if (shown || NowMs() - start >= timeoutMs) break;
        Sleep(1);
    }
    const double wall = NowMs() - start;
    timeEndPeriod(1);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    if (!shown) return Fail("timeout");
    std::printf("%.1f\n", wall);
    return 0;
}

int CloseEmoticons() {
    bool newer = false;
    HWND main = StandInMain(newer);
    if (!main) return Fail("no messenger");
    HWND emoticons = OwnedBy(main, newer ? contract::kNewerEmoticonClass : contract::kDialogClass);
    if (!emoticons) return Fail("no emoticon dialog");
    Post(emoticons, contract::kCloseEmoticons);
    return 0;
}

int QuitStandIn(DWORD timeoutMs) {
    bool newer = false;
    HWND main = StandInMain(newer);
    if (!main) return 0;
    PostMessageA(main, WM_CLOSE, 0, 0);
    return WaitFor(timeoutMs, [&]() -> HWND {
               return IsWindow(main) ? nullptr : reinterpret_cast<HWND>(1);
           })
               ? 0
               : Fail("timeout");
}

int CloseProgram(DWORD timeoutMs) {
    HWND program = FindProgram();
    if (!program) return 0;
    PostMessageA(program, WM_CLOSE, 0, 0);
    return WaitGone(timeoutMs);
}

// Prints the top-level windows, for debugging a scenario.
int Windows() {
    for (HWND w : TopLevels()) {
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        std::printf("%p pid=%lu owner=%p vis=%d class=%s title=%s\n", static_cast<void*>(w),
                    static_cast<unsigned long>(pid), static_cast<void*>(GetParent(w)),
                    IsWindowVisible(w) ? 1 : 0, ClassOf(w).c_str(), TextOf(w).c_str());
    }
    return 0;
}

int Usage() {
    std::fprintf(stderr,
                 "e2e_driver wait-program MS | click TEXT | rect [TEXT] | box MS [dismiss]\n"
                 "  | watch-caption MS | wait-gone MS | state | responds MS | list\n"
                 "  | select INDEX 0|1\n"
                 "  | overwrite 0|1\n"
                 "  | enter PATH SHORTCUT NAME yes|no|dismiss=SC|none MS | close-emoticons\n"
                 "  | quit-standin MS | close-program MS | windows\n"
                 "  | timed-add MS | timed-start FOLDER MS | starts NAME MS COUNT\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Usage();
    const std::string command = argv[1];
    const auto number = [&](int i) {
        return i < argc ? static_cast<DWORD>(std::strtoul(argv[i], nullptr, 10)) : 0;
    };
    int rc = 2;
    if (command == "wait-program" && argc == 3) rc = WaitProgram(number(2));
    else if (command == "click" && argc == 3) rc = ClickControl(argv[2]);
    else if (command == "rect") rc = Rect(argc >= 3 ? argv[2] : nullptr);
    else if (command == "box" && argc >= 3)
        rc = Box(number(2), argc >= 4 && std::string(argv[3]) == "dismiss");
    else if (command == "watch-caption" && argc == 3) rc = WatchCaption(number(2));
    else if (command == "wait-gone" && argc == 3) rc = WaitGone(number(2));
    else if (command == "state") rc = State();
    else if (command == "responds" && argc == 3) rc = Responds(number(2));
    else if (command == "list") rc = List();
    else if (command == "select" && argc == 4) rc = Select(std::atoi(argv[2]), number(3) != 0);
    else if (command == "overwrite" && argc == 3) rc = SetOverwrite(number(2) != 0);
    else if (command == "enter" && argc == 7)
        rc = Enter(argv[2], argv[3], argv[4], argv[5], number(6));
    else if (command == "close-emoticons") rc = CloseEmoticons();
    else if (command == "quit-standin" && argc == 3) rc = QuitStandIn(number(2));
    else if (command == "close-program" && argc == 3) rc = CloseProgram(number(2));
    else if (command == "windows") rc = Windows();
    else if (command == "timed-add" && argc == 3) rc = TimedAdd(number(2));
    else if (command == "timed-start" && argc == 4) rc = TimedStart(argv[2], number(3));
    else if (command == "starts" && argc == 5) rc = Starts(argv[2], number(3), number(4));
    else return Usage();
    std::fflush(stdout);
    return rc;
}

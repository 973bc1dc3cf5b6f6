// scripted_client: enters N pictures into the Messenger stand-in with the same messages the
// program sends, waiting for each window in a tight loop with no pauses of its own. Its time
// is the floor that this machine and the stand-in allow, beside which the program is measured.
//
//   scripted_client FOLDER COUNT     pictures FOLDER\p000.gif ... as (p000) and so on
//
// Prints "scripted COUNT pictures: TOTAL ms, PER ms a picture" or what went wrong.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "common/outside_view.h"
#include "messenger/messenger_contract.h"

namespace contract = pimbrel::contract;
using outside::OwnedBy;

namespace {

constexpr DWORD kGiveUpMs = 10000;  // a wait that long means the stand-in is not answering

// Spins on `find` until it gives a window; nullptr after kGiveUpMs.
template <typename Find>
HWND Spin(Find find) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (HWND found = find()) return found;
        if (GetTickCount() - start >= kGiveUpMs) return nullptr;
    }
}

HWND Done() { return reinterpret_cast<HWND>(1); }

void Post(HWND window, contract::Command command) {
    PostMessageA(window, contract::kWmCommand, command.wParam, command.lParam);
}

void SetText(HWND edit, const std::string& text) {
    SendMessageA(edit, contract::kWmSetText, contract::kSetTextWParam,
                 reinterpret_cast<LPARAM>(text.c_str()));
}

int Fail(const char* what, int index) {
    std::printf("failed: %s at picture %d\n", what, index);
    return 3;
}

int Run(const std::string& folder, int count) {
    HWND main = FindWindowA(contract::kOlderMainClass, nullptr);
    const bool newer = main == nullptr;
    if (!main) main = FindWindowA(contract::kNewerMainClass, nullptr);
    if (!main) return Fail("no messenger", -1);
    const char* emoticonClass = newer ? contract::kNewerEmoticonClass : contract::kDialogClass;

    const double start = outside::NowMs();
    Post(main, newer ? contract::kOpenEmoticonsNewer : contract::kOpenEmoticonsOlder);
    HWND emoticons = Spin([&] { return OwnedBy(main, emoticonClass); });
    if (!emoticons) return Fail("no emoticon dialog", -1);

    for (int i = 0; i < count; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "p%03d", i);
        Post(emoticons, newer ? contract::kOpenCreateNewer : contract::kOpenCreateOlder);
        HWND create = nullptr, edits[3] = {};
        const bool filled = Spin([&]() -> HWND {
            create = OwnedBy(emoticons, contract::kDialogClass);
            if (!create) return nullptr;
            edits[0] = FindWindowExA(create, nullptr, contract::kEditClass, nullptr);
            edits[1] = edits[0] ? FindWindowExA(create, edits[0], contract::kEditClass, nullptr)
                                : nullptr;
            edits[2] = edits[1] ? FindWindowExA(create, edits[1], contract::kEditClass, nullptr)
                                : nullptr;
            return edits[2];
        }) != nullptr;
        if (!filled) return Fail("no create dialog", i);
        SetText(edits[0], folder + "\\" + name + ".gif");
        SetText(edits[1], std::string("(") + name + ")");
        SetText(edits[2], name);
        Post(create, contract::kConfirm);
        if (!Spin([&]() -> HWND {
                if (!IsWindow(create)) return Done();
                return OwnedBy(create, contract::kDialogClass) ? Done() : nullptr;
            }))
            return Fail("no outcome", i);
        if (IsWindow(create)) return Fail("prompted", i);
    }
    Post(emoticons, contract::kCloseEmoticons);
    if (!Spin([&] { return IsWindow(emoticons) ? nullptr : Done(); }))
        return Fail("emoticon dialog stays", count);
    const double total = outside::NowMs() - start;
    std::printf("scripted %d pictures: %.1f ms, %.2f ms a picture\n", count, total,
                count > 0 ? total / count : 0.0);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "scripted_client FOLDER COUNT\n");
        return 2;
    }
    const int count = std::atoi(argv[2]);
    if (count < 0 || count > 999) {
        std::fprintf(stderr, "COUNT: 0 to 999\n");
        return 2;
    }
    const int rc = Run(argv[1], count);
    std::fflush(stdout);
    return rc;
}

// What the program relies on in Messenger's windows: classes, and every command it posts.
// Nothing else in the program spells these numbers.
#pragma once
#include <cstdint>

namespace pimbrel::contract {

inline constexpr std::uint32_t kWmCommand = 0x0111;
inline constexpr std::uint32_t kWmSetText = 0x000C;
inline constexpr std::uint32_t kSetTextWParam = 256;

inline constexpr char kOlderMainClass[] = "MSNMSBLClass";
inline constexpr char kNewerMainClass[] = "MSBLWindowClass";
inline constexpr char kDialogClass[] = "#32770";
inline constexpr char kNewerEmoticonClass[] = "DUIDialog";
inline constexpr char kEditClass[] = "Edit";
inline constexpr char kButtonClass[] = "Button";

struct Command {
    std::uint32_t wParam;
    std::uint32_t lParam;
};

inline constexpr Command kOpenEmoticonsNewer{0xFFFF9D9Eu, 0};
inline constexpr Command kOpenEmoticonsOlder{0xFFFF9D41u, 0};
inline constexpr Command kOpenCreateNewer{2326, 0};
inline constexpr Command kOpenCreateOlder{1420, 1311244};
inline constexpr Command kConfirm{1, 1837380};
inline constexpr Command kOverwriteYes{1, 1968352};
inline constexpr Command kOverwriteNoPrompt{2, 3082306};
inline constexpr Command kOverwriteNoCreate{2, 854760};
inline constexpr Command kDismissOneButton{2, 264158};
inline constexpr Command kCloseEmoticons{1, 2622856};

// The older client's emoticon dialog has exactly this many Buttons.
inline constexpr int kEmoticonDialogButtons = 8;
// Counting an already open dialog's Buttons stops here.
inline constexpr int kButtonCountCap = 9;

}  // namespace pimbrel::contract

// frmMain as a real window; see main_window.h.
#include "main_window.h"

#include <commctrl.h>

#include <stdexcept>
#include <string>

#include "app/frm_main.h"
#include "app/main_window_layout.h"
#include "dropped_path.h"
#include "main_window_parts.h"
#include "resource_ids.h"
#include "win32_code_page.h"
#include "window_opening.h"

namespace pimbrel::win32 {

namespace {

constexpr char kWindowClass[] = "PimbrelMain";
// Posted once the window has first been drawn: the work that can wait until it shows.
constexpr UINT kShownMessage = WM_APP + 1;
// Posted by the picture loader when it has finished pictures.
constexpr UINT kPicturesReadMessage = WM_APP + 2;
constexpr COLORREF kSiteColour = RGB(0, 0, 255);
// Only the benchmark's build of the exe waits out the whole settling pause.
#ifdef PIMBREL_FULL_SETTLING_PAUSE
constexpr SettlingPause kSettlingPause = SettlingPause::Full;
#else
constexpr SettlingPause kSettlingPause = SettlingPause::UntilOutcome;
#endif
// Only the benchmark's build that shows what the progress costs leaves it out (and with it
// every caption of its own).
#ifdef PIMBREL_NO_PROGRESS
constexpr bool kShowProgress = false;
#else
constexpr bool kShowProgress = true;
#endif

WORD IdOf(const char* name) { return MainWindowControl(name).id; }

int SystemDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

void RegisterWindowClass(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kWindowClass;
    // The big icon (Alt+Tab) from the program's icon, the small one (caption, taskbar) from
    // the window's; each has an image of the size the screen's scale asks for.
    windowClass.hIcon = static_cast<HICON>(
        LoadImageA(instance, MAKEINTRESOURCEA(kIconProgram), IMAGE_ICON,
                   GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0));
    windowClass.hIconSm = static_cast<HICON>(
        LoadImageA(instance, MAKEINTRESOURCEA(kIconWindow), IMAGE_ICON,
                   GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    RegisterClassExA(&windowClass);
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance) : instance_(instance) {}

MainWindow::~MainWindow() = default;

void MainWindow::Open(int showCommand, const std::u16string& commandLine) {
    RegisterWindowClass(instance_, &MainWindow::Procedure);
    const int dpi = SystemDpi();
    // The window may grow, or be maximised. Its background is painted around the controls,
    // which it moves as it grows, never over them. A folder dropped on it opens.
    const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    const DWORD extendedStyle = WS_EX_ACCEPTFILES;
    RECT frame{0, 0, TwipsToPixels(kClientWidthTwips, dpi), TwipsToPixels(kClientHeightTwips, dpi)};
    AdjustWindowRectEx(&frame, style, FALSE, extendedStyle);
    smallest_ = {frame.right - frame.left, frame.bottom - frame.top};
    window_ = CreateWindowExA(extendedStyle, kWindowClass, kProgramTitle, style, CW_USEDEFAULT,
                              CW_USEDEFAULT, smallest_.x, smallest_.y, nullptr, nullptr,
                              instance_, this);
    if (!window_) throw std::runtime_error("the main window could not be created");
    parts_ = std::make_unique<WindowParts>(instance_, window_, dpi, kPicturesReadMessage,
                                           kShowProgress);
    parts_->listTips = std::make_unique<ListToolTips>(
        instance_, window_, parts_->controls.Window("File1"), [this](int index) {
            std::wstring text;
            Guarded([&] { text = ToWide(parts_->form->EntryToolTip(index)); });
            return text;
        });
    parts_->form = std::make_unique<FrmMain>(parts_->ForForm(kSettlingPause), ProgramFolder());
    parts_->shortcutEditor = std::make_unique<ShortcutCellEditor>(
        instance_, window_, parts_->controls.Window("File1"), dpi, *parts_->form,
        [this](const std::function<void()>& call) { Guarded(call); });
    SizeForOpening(window_, parts_->file1.Measures(), dpi, smallest_);
    Guarded([&] { parts_->form->Start(commandLine); });
    parts_->dialogs.owner = window_;
    ShowWindow(window_, showCommand);
    UpdateWindow(window_);
    SetFocus(parts_->controls.Window("File1"));
    PostMessageA(window_, kShownMessage, 0, 0);
}

template <typename Handler> void MainWindow::Guarded(Handler handler) {
    // A fault inside the program is reported by name, then the program ends: the run's
    // state cannot be trusted any more, and nothing more may go to Messenger.
    try {
        handler();
    } catch (const std::exception& fault) {
        MessageBoxA(window_, (std::string("Pimbrel stopped after an internal error: ") +
                              fault.what()).c_str(),
                    kProgramTitle, MB_OK | MB_ICONSTOP);
        ExitProcess(2);
    }
}

void MainWindow::OnCommand(WORD id, WORD code) {
    if (id == IdOf("cmdAdd") && code == BN_CLICKED) {
        // A box still open keeps its text first, so that the run reads it. A click or Tab
        // has taken the focus from it already; a command that another program sends has not.
        parts_->shortcutEditor->Finish();
        TimerResolution resolution;
        Guarded([&] { parts_->form->OnAddClick(); });
        FocusAddAfterRun();
    } else if ((id == IdOf("cmdStop") && code == BN_CLICKED) || id == IDCANCEL) {
        Guarded([&] { parts_->form->OnStopClick(); });  // IDCANCEL: Esc
        FocusAddAfterRun();
    } else if (id == IdOf("cmdChoose") && code == BN_CLICKED) {
        Guarded([&] { parts_->form->OnChooseClick(); });
    } else if (id == IdOf("lblSite") && code == STN_CLICKED) {
        Guarded([&] { parts_->form->OnSiteClick(); });
    }
}

void MainWindow::FocusAddAfterRun() {
    // The Stop button that had the keys during the run is gone, and the window holds them:
    // Add, in its place, takes them back once the run has given the controls back.
    const HWND add = parts_->controls.Window("cmdAdd");
    const HWND focus = GetFocus();
    if (GetForegroundWindow() == window_ && (focus == window_ || focus == nullptr) &&
        IsWindowEnabled(add))
        SetFocus(add);
}

LRESULT CALLBACK MainWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        auto* self = static_cast<MainWindow*>(create->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    return self ? self->HandleMessage(message, wParam, lParam)
                : DefWindowProcA(window, message, wParam, lParam);
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    // The controls' notifications in their wide forms, so that the list's tool tips show
    // names in full. Asked for as a tip's tools are added, before the list's tips are here.
    if (message == WM_NOTIFYFORMAT && lParam == NF_QUERY) return NFR_UNICODE;
    if (message == WM_GETMINMAXINFO) {
        reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = smallest_;
        return 0;
    }
    if (!parts_ || !parts_->form) return DefWindowProcA(window_, message, wParam, lParam);
    switch (message) {
    case kShownMessage:
        Guarded([&] { parts_->form->OnShown(); });
        return 0;
    case WM_DROPFILES:
        // Refused while a run needs the list as it is.
        if (const auto path = TakeDroppedPath(reinterpret_cast<HDROP>(wParam))) {
            parts_->shortcutEditor->Finish();  // its row belongs to the list before
            Guarded([&] { parts_->form->OpenFolder(*path); });
        }
        return 0;
    case kPicturesReadMessage:
        Guarded([&] { ShowReadPictures(); });
        return 0;
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED) {
            parts_->controls.Arrange(LOWORD(lParam), HIWORD(lParam));
            parts_->file1.FitColumns();
        }
        return 0;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_TIMER:
        if (wParam == IdOf("tmrRetry")) {
            TimerResolution resolution;
            Guarded([&] { parts_->form->OnRetryTick(); });
            FocusAddAfterRun();
        }
        return 0;
    case WM_NOTIFY: {
        LRESULT result = 0;
        NMHDR& header = *reinterpret_cast<NMHDR*>(lParam);
        if (parts_->listTips && parts_->listTips->OnNotify(header, result)) return result;
        if (parts_->shortcutEditor && parts_->shortcutEditor->OnNotify(header, result))
            return result;
        if (parts_->file1.OnNotify(header, result)) return result;
        break;
    }
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) parts_->form->OnActivated();
        break;
    case WM_CTLCOLORSTATIC:
        if (reinterpret_cast<HWND>(lParam) == parts_->controls.Window("lblSite")) {
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, kSiteColour);
            SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        }
        break;
    case WM_CLOSE:
        if (parts_->closing.Deferred(*parts_->form)) return 0;  // the run stops first
        parts_->shortcutEditor->Finish();  // a box still open keeps its text, as on a click
        DestroyWindow(window_);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcA(window_, message, wParam, lParam);
}

void MainWindow::ShowReadPictures() {
    for (const LoadedPicture& picture : parts_->reader.TakeFinished()) {
        // The list keeps a copy of the bitmap.
        parts_->file1.ShowPicture(picture.index,
                                  picture.state == PictureState::Shown ? picture.bitmap : nullptr);
        if (picture.bitmap) DeleteObject(picture.bitmap);
        parts_->form->OnPictureRead(picture.index, picture.state);
    }
}

int MainWindow::RunMessageLoop() {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (IsDialogMessageA(window_, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace pimbrel::win32

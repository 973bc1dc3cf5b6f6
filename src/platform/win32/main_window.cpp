// frmMain as a real window; see main_window.h.
#include "main_window.h"

#include <commctrl.h>

#include <stdexcept>
#include <string>

#include "app/frm_main.h"
#include "app/main_window_layout.h"
#include "form_controls.h"
#include "list_tips.h"
#include "picture_list_view.h"
#include "picture_loader.h"
#include "resource_ids.h"
#include "run_closing.h"
#include "stop_button.h"
#include "system_files.h"
#include "taskbar_progress.h"
#include "win32_code_page.h"
#include "win32_file_system.h"
#include "win32_run_lock.h"
#include "win32_window_system.h"

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
// Only the benchmark's build that shows what the progress costs leaves it out.
#ifdef PIMBREL_NO_PROGRESS
constexpr bool kShowProgress = false;
#else
constexpr bool kShowProgress = true;
#endif

WORD IdOf(const char* name) { return MainWindowControl(name).id; }

class Frame : public WindowFrame {
public:
    explicit Frame(HWND window) : window_(window) {}
    void SetCaption(const std::string& text) override {
        if (kShowProgress) SetWindowTextW(window_, WideFrom(CP_UTF8, text).c_str());
    }
    void ShowProgress(int done, int total) override {
        if (kShowProgress) taskbar_.Show(window_, done, total);
    }
    void PauseProgress() override {
        if (kShowProgress) taskbar_.Pause(window_);
    }
    void HideProgress() override {
        if (kShowProgress) taskbar_.Hide(window_);
    }

private:
    HWND window_;
    TaskbarProgress taskbar_;
};

// Wide boxes, so that picture names show as the file system spells them.
class Boxes : public Dialogs {
public:
    void ShowMessage(const std::string& text, const std::string& title,
                     MessageIcon icon) override {
        MessageBoxW(owner, WideFrom(CP_UTF8, text).c_str(), WideFrom(CP_UTF8, title).c_str(),
                    MB_OK | (icon == MessageIcon::Stop ? MB_ICONSTOP : 0));
    }
    [[noreturn]] void EndProgram() override { ExitProcess(1); }
    HWND owner = nullptr;  // none for the load step's box, which comes before the window shows
};

class Starter : public ProgramStarter {
public:
    bool Start(const std::string& program, const std::string& commandLine,
               int showStyle) override {
        return StartWindowsProgram(program, commandLine, showStyle);
    }
};

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

struct MainWindow::Parts {
    Parts(HINSTANCE instance, HWND window, int dpi)
        : controls(instance, window, dpi),
          file1(controls.Window("File1"), dpi),
          cmdAdd(controls.Window("cmdAdd")),
          cmdStop(controls.Window("cmdStop"), controls.Window("cmdAdd")),
          chkOverwrite(controls.Window("chkOverwrite")),
          tmrRetry(window, IdOf("tmrRetry")),
          frame(window),
          windows(window),
          closing(window) {}

    FormControls controls;
    PictureListView file1;
    ControlSwitch cmdAdd;
    StopButton cmdStop;
    CheckControl chkOverwrite;
    WindowTimer tmrRetry;
    Frame frame;
    Boxes dialogs;
    Starter starter;
    Win32FileSystem files;
    Win32WindowSystem windows;
    Win32RunLock runLock;
    RunClosing closing;
    std::unique_ptr<FrmMain> form;
    std::unique_ptr<ListToolTips> listTips;
    std::unique_ptr<PictureLoader> loader;  // from the first paint on
};

MainWindow::MainWindow(HINSTANCE instance) : instance_(instance) {}

MainWindow::~MainWindow() = default;

void MainWindow::Open(int showCommand) {
    RegisterWindowClass(instance_, &MainWindow::Procedure);
    const int dpi = SystemDpi();
    // The window opens at its smallest size and may grow, or be maximised. Its background
    // is painted around the controls, which it moves as it grows, never over them.
    const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    RECT frame{0, 0, TwipsToPixels(kClientWidthTwips, dpi), TwipsToPixels(kClientHeightTwips, dpi)};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    smallest_ = {frame.right - frame.left, frame.bottom - frame.top};
    window_ = CreateWindowExA(0, kWindowClass, kProgramTitle, style, CW_USEDEFAULT, CW_USEDEFAULT,
                              smallest_.x, smallest_.y, nullptr, nullptr, instance_, this);
    if (!window_) throw std::runtime_error("the main window could not be created");
    parts_ = std::make_unique<Parts>(instance_, window_, dpi);
    parts_->listTips = std::make_unique<ListToolTips>(
        instance_, window_, parts_->controls.Window("File1"), [this](int index) {
            std::wstring text;
            Guarded([&] { text = ToWide(parts_->form->EntryToolTip(index)); });
            return text;
        });
    parts_->form = std::make_unique<FrmMain>(
        MainWindowParts{parts_->file1, parts_->cmdAdd, parts_->cmdStop, parts_->chkOverwrite,
                        parts_->tmrRetry, parts_->frame, parts_->dialogs, parts_->starter,
                        parts_->files, parts_->windows, parts_->runLock, kSettlingPause},
        ProgramFolder());
    Guarded([&] { parts_->form->Load(); });
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
        TimerResolution resolution;
        Guarded([&] { parts_->form->OnAddClick(); });
    } else if ((id == IdOf("cmdStop") && code == BN_CLICKED) || id == IDCANCEL) {
        Guarded([&] { parts_->form->OnStopClick(); });  // IDCANCEL: Esc
    } else if (id == IdOf("lblSite") && code == STN_CLICKED) {
        Guarded([&] { parts_->form->OnSiteClick(); });
    }
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
        StartPictureLoader();
        Guarded([&] { parts_->form->OnShown(); });
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
        }
        return 0;
    case WM_NOTIFY: {
        LRESULT result = 0;
        NMHDR& header = *reinterpret_cast<NMHDR*>(lParam);
        if (parts_->listTips && parts_->listTips->OnNotify(header, result)) return result;
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
        if (!parts_->closing.Deferred(*parts_->form)) DestroyWindow(window_);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcA(window_, message, wParam, lParam);
}

void MainWindow::StartPictureLoader() {
    const PictureList& pictures = parts_->form->Pictures();
    std::wstring folder = ToWide(pictures.folder.text);
    if (folder.empty() || folder.back() != L'\\') folder += L'\\';
    std::vector<std::wstring> paths;
    paths.reserve(pictures.entries.size());
    for (const Picture& picture : pictures.entries) paths.push_back(folder + ToWide(picture.name));
    parts_->loader = std::make_unique<PictureLoader>(window_, kPicturesReadMessage,
                                                     std::move(paths), parts_->file1.PictureSide());
}

void MainWindow::ShowReadPictures() {
    if (!parts_->loader) return;
    for (const LoadedPicture& picture : parts_->loader->TakeFinished()) {
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

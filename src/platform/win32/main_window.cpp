// frmMain as a real window; see main_window.h.
#include "main_window.h"

#include <commctrl.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "app/main_window_layout.h"
#include "banner_pictures.h"
#include "list_tips.h"
#include "resource_ids.h"
#include "system_files.h"
#include "taskbar_progress.h"
#include "win32_code_page.h"
#include "win32_run_lock.h"

namespace pimbrel::win32 {

namespace {

constexpr char kWindowClass[] = "PimbrelMain";
constexpr UINT_PTR kRetryTimerId = 1;
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

enum ControlId : WORD { kFile1 = 100, kCmdAdd, kChkOverwrite, kLblSite, kImgLogo, kImgBack };

class ControlSwitch : public Switchable {
public:
    void SetEnabled(bool enabled) override { EnableWindow(window, enabled ? TRUE : FALSE); }
    HWND window = nullptr;
};

// A Unicode list box in our ANSI window, so that every name shows as the file system spells
// it, whatever the code page can hold.
class ListControl : public FileListControl {
public:
    void SetEnabled(bool enabled) override { EnableWindow(window, enabled ? TRUE : FALSE); }
    void SetEntries(const std::vector<std::u16string>& names) override {
        // A thousand pictures are a thousand messages: room for all of them at once, and
        // no drawing until the list is whole.
        SendMessageW(window, WM_SETREDRAW, FALSE, 0);
        SendMessageW(window, LB_RESETCONTENT, 0, 0);
        std::size_t characters = 0;
        for (const auto& name : names) characters += name.size() + 1;
        SendMessageW(window, LB_INITSTORAGE, names.size(), characters * sizeof(wchar_t));
        for (const auto& name : names)
            SendMessageW(window, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ToWide(name).c_str()));
        SendMessageW(window, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(window, nullptr, TRUE);
    }
    void SelectAll() override {
        // Index -1 selects every entry in one message.
        if (SendMessageA(window, LB_GETCOUNT, 0, 0) > 0 &&
            SendMessageA(window, LB_SETSEL, TRUE, -1) == LB_ERR)
            throw std::runtime_error("the picture list could not select its entries");
    }
    bool IsSelected(int index) const override {
        const LRESULT state = SendMessageA(window, LB_GETSEL, index, 0);
        if (state == LB_ERR) throw std::out_of_range("picture list index " + std::to_string(index));
        return state > 0;
    }
    HWND window = nullptr;
};

class CheckControl : public CheckBoxControl {
public:
    void SetEnabled(bool enabled) override { EnableWindow(window, enabled ? TRUE : FALSE); }
    int Value() const override {
        return static_cast<int>(SendMessageA(window, BM_GETCHECK, 0, 0));
    }
    HWND window = nullptr;
};

class WindowTimer : public RetryTimer {
public:
    void SetInterval(std::uint32_t milliseconds) override {
        if (milliseconds == 0)
            KillTimer(window, kRetryTimerId);
        else
            SetTimer(window, kRetryTimerId, milliseconds, nullptr);
    }
    HWND window = nullptr;
};

// The wide form of a UTF-8 text.
std::wstring FromUtf8(const std::string& text) {
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide(size > 0 ? size - 1 : 0, L'\0');
    if (size > 1) MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, wide.data(), size);
    return wide;
}

class Frame : public WindowFrame {
public:
    void SetCaption(const std::string& text) override {
        if (kShowProgress) SetWindowTextW(window, FromUtf8(text).c_str());
    }
    void ShowProgress(int done, int total) override {
        if (kShowProgress) taskbar.Show(window, done, total);
    }
    void HideProgress() override {
        if (kShowProgress) taskbar.Hide(window);
    }
    HWND window = nullptr;
    TaskbarProgress taskbar;
};

// Wide boxes, so that picture names show as the file system spells them.
class Boxes : public Dialogs {
public:
    void ShowMessage(const std::string& text, const std::string& title,
                     MessageIcon icon) override {
        MessageBoxW(owner, FromUtf8(text).c_str(), FromUtf8(title).c_str(),
                    MB_OK | (icon == MessageIcon::Stop ? MB_ICONSTOP : 0));
    }
    [[noreturn]] void EndProgram() override { ExitProcess(1); }
    HWND owner = nullptr;
};

class Starter : public ProgramStarter {
public:
    bool Start(const std::string& program, const std::string& commandLine,
               int showStyle) override {
        return StartWindowsProgram(program, commandLine, showStyle);
    }
};

HFONT DialogFont() {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof(metrics);
    // The XP-sized structure, so that the call succeeds on every version.
#if WINVER >= 0x0600
    metrics.cbSize -= sizeof(metrics.iPaddedBorderWidth);
#endif
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0))
        return CreateFontIndirectA(&metrics.lfMessageFont);
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

HFONT SiteFont(int dpi) {
    // MS Sans Serif 8.25 pt, normal weight, underlined.
    const int height = -MulDiv(825, dpi, 7200);
    return CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, TRUE, FALSE, ANSI_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, "MS Sans Serif");
}

int SystemDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

}  // namespace

struct MainWindow::Parts {
    ListControl file1;
    ControlSwitch cmdAdd;
    CheckControl chkOverwrite;
    WindowTimer tmrRetry;
    Frame frame;
    Boxes dialogs;
    Starter starter;
    Win32FileSystem files;
    Win32WindowSystem windows;
    Win32RunLock runLock;
    HWND lblSite = nullptr;
    HFONT dialogFont = nullptr;
    HFONT siteFont = nullptr;
    HBITMAP logo = nullptr;
    HBITMAP back = nullptr;
    std::unique_ptr<FrmMain> form;
    std::unique_ptr<ListToolTips> listTips;
};

MainWindow::MainWindow(HINSTANCE instance) : instance_(instance), parts_(new Parts) {}

MainWindow::~MainWindow() {
    if (parts_->dialogFont) DeleteObject(parts_->dialogFont);
    if (parts_->siteFont) DeleteObject(parts_->siteFont);
    if (parts_->logo) DeleteObject(parts_->logo);
    if (parts_->back) DeleteObject(parts_->back);
}

void MainWindow::Open(int showCommand) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &MainWindow::Procedure;
    windowClass.hInstance = instance_;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kWindowClass;
    // The big icon (Alt+Tab) from the program's icon, the small one (caption, taskbar) from
    // the window's; each has an image of the size the screen's scale asks for.
    windowClass.hIcon = static_cast<HICON>(
        LoadImageA(instance_, MAKEINTRESOURCEA(kIconProgram), IMAGE_ICON,
                   GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0));
    windowClass.hIconSm = static_cast<HICON>(
        LoadImageA(instance_, MAKEINTRESOURCEA(kIconWindow), IMAGE_ICON,
                   GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    RegisterClassExA(&windowClass);

    const int dpi = SystemDpi();
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame{0, 0, TwipsToPixels(kClientWidthTwips, dpi), TwipsToPixels(kClientHeightTwips, dpi)};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    window_ = CreateWindowExA(0, kWindowClass, kProgramTitle, style, CW_USEDEFAULT, CW_USEDEFAULT,
                              frame.right - frame.left, frame.bottom - frame.top, nullptr,
                              nullptr, instance_, this);
    if (!window_) throw std::runtime_error("the main window could not be created");
    parts_->siteFont = SiteFont(dpi);
    CreateControls(dpi);
    parts_->windows.SetDialog(window_);
    parts_->tmrRetry.window = window_;
    parts_->frame.window = window_;
    parts_->dialogs.owner = nullptr;  // the load step's box comes before the window shows
    parts_->form = std::make_unique<FrmMain>(
        MainWindowParts{parts_->file1, parts_->cmdAdd, parts_->chkOverwrite, parts_->tmrRetry,
                        parts_->frame, parts_->dialogs, parts_->starter, parts_->files,
                        parts_->windows, parts_->runLock, kSettlingPause},
        ProgramFolder());
    Guarded([&] { parts_->form->Load(); });
    parts_->dialogs.owner = window_;
    ShowWindow(window_, showCommand);
    UpdateWindow(window_);
    SetFocus(parts_->file1.window);
}

void MainWindow::CreateControls(int dpi) {
    parts_->dialogFont = DialogFont();
    const BannerPictures banner = LoadBannerPictures(instance_, dpi);
    parts_->logo = banner.logo;
    parts_->back = banner.back;

    // Tab order first, then the pictures; the logo before the strip so it lies in front.
    const char* order[] = {"File1", "cmdAdd", "chkOverwrite", "lblSite", "imgLogo", "imgBack"};
    for (const char* name : order) {
        const ControlSpec& spec = MainWindowControl(name);
        const int x = TwipsToPixels(spec.rect.left, dpi), y = TwipsToPixels(spec.rect.top, dpi);
        const int w = TwipsToPixels(spec.rect.width, dpi), h = TwipsToPixels(spec.rect.height, dpi);
        const char* className = "STATIC";
        DWORD style = WS_CHILD | WS_VISIBLE;
        WORD id = 0;
        switch (spec.kind) {
        case ControlKind::FileList:
            style |= WS_TABSTOP | WS_VSCROLL | WS_BORDER | LBS_EXTENDEDSEL | LBS_NOTIFY |
                     LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS;
            id = kFile1;
            break;
        case ControlKind::PushButton:
            className = "BUTTON";
            style |= WS_TABSTOP | BS_PUSHBUTTON;
            id = kCmdAdd;
            break;
        case ControlKind::CheckBox:
            className = "BUTTON";
            style |= WS_TABSTOP | BS_AUTOCHECKBOX;
            id = kChkOverwrite;
            break;
        case ControlKind::Label:
            style |= SS_NOTIFY | SS_LEFT;
            id = kLblSite;
            break;
        case ControlKind::Picture:
            // The strip clips itself against the logo, which lies in front of it.
            style |= SS_BITMAP |
                     (std::string(name) == "imgBack" ? SS_REALSIZECONTROL | WS_CLIPSIBLINGS : 0);
            id = std::string(name) == "imgBack" ? kImgBack : kImgLogo;
            break;
        case ControlKind::Timer:
            continue;
        }
        const HMENU menu = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id));
        HWND control =
            spec.kind == ControlKind::FileList
                ? CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"", style, x, y, w, h, window_,
                                  menu, instance_, nullptr)
                : CreateWindowExA(0, className, spec.caption, style, x, y, w, h, window_, menu,
                                  instance_, nullptr);
        SendMessageA(control, WM_SETFONT,
                     reinterpret_cast<WPARAM>(spec.kind == ControlKind::Label ? parts_->siteFont
                                                                              : parts_->dialogFont),
                     FALSE);
        switch (id) {
        case kFile1: parts_->file1.window = control; break;
        case kCmdAdd: parts_->cmdAdd.window = control; break;
        case kChkOverwrite: parts_->chkOverwrite.window = control; break;
        case kLblSite: parts_->lblSite = control; break;
        case kImgLogo:
            SendMessageA(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(parts_->logo));
            SetWindowPos(control, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
            break;
        case kImgBack:
            SendMessageA(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(parts_->back));
            SetWindowPos(control, nullptr, x, y, w, h, SWP_NOZORDER);
            break;
        default: break;
        }
    }

    HWND tip = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr,
                               instance_, nullptr);
    TOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V1_SIZE;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = window_;
    info.uId = reinterpret_cast<UINT_PTR>(parts_->lblSite);
    info.lpszText = const_cast<char*>(kSiteToolTip);
    SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));

    parts_->listTips = std::make_unique<ListToolTips>(
        instance_, window_, parts_->file1.window, [this](int index) {
            std::wstring text;
            Guarded([&] { text = ToWide(parts_->form->EntryToolTip(index)); });
            return text;
        });
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
    if (id == kCmdAdd && code == BN_CLICKED) {
        TimerResolution resolution;
        Guarded([&] { parts_->form->OnAddClick(); });
    } else if (id == kLblSite && code == STN_CLICKED) {
        Guarded([&] { parts_->form->OnSiteClick(); });
    }
}

LRESULT CALLBACK MainWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    return self ? self->HandleMessage(message, wParam, lParam)
                : DefWindowProcA(window, message, wParam, lParam);
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_TIMER:
        if (wParam == kRetryTimerId) {
            TimerResolution resolution;
            Guarded([&] { parts_->form->OnRetryTick(); });
        }
        return 0;
    case WM_NOTIFYFORMAT:
        // The controls' notifications in their wide forms, so that the list's tool tips
        // show names in full. Asked for as a tip's tools are added, before the list's tips
        // are known here.
        if (lParam == NF_QUERY) return NFR_UNICODE;
        break;
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (parts_->listTips &&
            parts_->listTips->OnNotify(*reinterpret_cast<NMHDR*>(lParam), result))
            return result;
        break;
    }
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && parts_->form) parts_->form->OnActivated();
        break;
    case WM_CTLCOLORSTATIC:
        if (reinterpret_cast<HWND>(lParam) == parts_->lblSite) {
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, kSiteColour);
            SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        }
        break;
    case WM_CLOSE:
        // Closing in the middle of a run ends the program here and now, so that the run's
        // loops send nothing more to Messenger.
        if (parts_->form && parts_->form->RunActive()) ExitProcess(0);
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

// The window's pieces for FrmMain; see main_window_parts.h.
#include "main_window_parts.h"

#include "system_files.h"
#include "win32_code_page.h"

namespace pimbrel::win32 {

void Frame::SetCaption(const std::string& text) {
    if (showProgress_) SetWindowTextW(window_, WideFrom(CP_UTF8, text).c_str());
}

void Frame::ShowProgress(int done, int total) {
    if (showProgress_) taskbar_.Show(window_, done, total);
}

void Frame::PauseProgress() {
    if (showProgress_) taskbar_.Pause(window_);
}

void Frame::HideProgress() {
    if (showProgress_) taskbar_.Hide(window_);
}

void Boxes::ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) {
    MessageBoxW(owner, WideFrom(CP_UTF8, text).c_str(), WideFrom(CP_UTF8, title).c_str(),
                MB_OK | (icon == MessageIcon::Stop ? MB_ICONSTOP : 0));
}

void Boxes::EndProgram() { ExitProcess(1); }

bool Starter::Start(const std::string& program, const std::string& commandLine,
                    int showStyle) {
    return StartWindowsProgram(program, commandLine, showStyle);
}

void ListReader::Read(const std::u16string& folder, const std::vector<std::u16string>& names) {
    loader_.reset();
    std::wstring prefix = ToWide(folder);
    if (prefix.empty() || prefix.back() != L'\\') prefix += L'\\';
    std::vector<std::wstring> paths;
    paths.reserve(names.size());
    for (const std::u16string& name : names) paths.push_back(prefix + ToWide(name));
    loader_ = std::make_unique<PictureLoader>(window_, message_, std::move(paths), side_);
}

std::vector<LoadedPicture> ListReader::TakeFinished() {
    return loader_ ? loader_->TakeFinished() : std::vector<LoadedPicture>();
}

namespace {
WORD IdOf(const char* name) { return MainWindowControl(name).id; }
}  // namespace

WindowParts::WindowParts(HINSTANCE instance, HWND window, int dpi, UINT picturesReadMessage,
                         bool showProgress)
    : controls(instance, window, dpi),
      file1(controls.Window("File1"), dpi),
      cmdAdd(controls.Window("cmdAdd")),
      cmdStop(controls.Window("cmdStop"), controls.Window("cmdAdd")),
      cmdChoose(controls.Window("cmdChoose")),
      chkOverwrite(controls.Window("chkOverwrite")),
      tmrRetry(window, IdOf("tmrRetry")),
      frame(window, showProgress),
      reader(window, picturesReadMessage, file1.PictureSide()),
      picker(window),
      windows(window),
      closing(window) {}

MainWindowParts WindowParts::ForForm(SettlingPause settlingPause) {
    return MainWindowParts{file1,   cmdAdd,  cmdStop, cmdChoose, chkOverwrite,
                           tmrRetry, frame,   dialogs, reader,    picker,
                           starter,  files,   windows, runLock,   settlingPause};
}

}  // namespace pimbrel::win32

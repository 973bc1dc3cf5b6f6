// frmMain as a real window: the frame and its message handling; the parts that FrmMain drives
// are in main_window_parts.h.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

namespace pimbrel::win32 {

struct WindowParts;

class MainWindow {
public:
    explicit MainWindow(HINSTANCE instance);
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Creates the window and its controls, runs the load step for the folder that the
    // command line names (or the program's own), shows it.
    void Open(int showCommand, const std::u16string& commandLine);
    int RunMessageLoop();

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnCommand(WORD id, WORD code);
    void FocusAddAfterRun();
    // The pictures the loader has finished go into the list.
    void ShowReadPictures();
    template <typename Handler> void Guarded(Handler handler);

    HINSTANCE instance_;
    HWND window_ = nullptr;
    POINT smallest_{};  // the frame's size at the client area's smallest
    std::unique_ptr<WindowParts> parts_;  // made once the window exists
};

}  // namespace pimbrel::win32

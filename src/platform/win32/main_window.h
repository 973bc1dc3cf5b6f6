// frmMain as a real window: the frame, its message handling and the parts that FrmMain drives.
#pragma once
#include <windows.h>

#include <memory>

namespace pimbrel::win32 {

class MainWindow {
public:
    explicit MainWindow(HINSTANCE instance);
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Creates the window and its controls, runs the load step, shows it.
    void Open(int showCommand);
    int RunMessageLoop();

private:
    struct Parts;
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnCommand(WORD id, WORD code);
    // Once the window shows: the pictures are read on the loader's thread, in list order.
    void StartPictureLoader();
    // The pictures the loader has finished go into the list.
    void ShowReadPictures();
    template <typename Handler> void Guarded(Handler handler);

    HINSTANCE instance_;
    HWND window_ = nullptr;
    POINT smallest_{};  // the frame's size at the client area's smallest
    std::unique_ptr<Parts> parts_;  // made once the window exists
};

}  // namespace pimbrel::win32

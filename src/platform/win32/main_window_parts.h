// The pieces of the real window that FrmMain drives (controls, frame, boxes, program start,
// the pictures' reading, the folder picker, files, Messenger's windows, the run lock), and the
// closing of a run, made once the window exists.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/frm_main.h"
#include "folder_picker.h"
#include "form_controls.h"
#include "list_tips.h"
#include "picture_list_view.h"
#include "picture_loader.h"
#include "run_closing.h"
#include "shortcut_cell_editor.h"
#include "stop_button.h"
#include "taskbar_progress.h"
#include "win32_file_system.h"
#include "win32_run_lock.h"
#include "win32_window_system.h"

namespace pimbrel::win32 {

// The caption, and the taskbar button's progress unless `showProgress` is false (the
// benchmark's build that measures what the progress costs).
class Frame : public WindowFrame {
public:
    Frame(HWND window, bool showProgress) : window_(window), showProgress_(showProgress) {}
    void SetCaption(const std::string& text) override;
    void ShowProgress(int done, int total) override;
    void PauseProgress() override;
    void HideProgress() override;

private:
    HWND window_;
    bool showProgress_;
    TaskbarProgress taskbar_;
};

// Wide boxes, so that picture names show as the file system spells them.
class Boxes : public Dialogs {
public:
    void ShowMessage(const std::string& text, const std::string& title,
                     MessageIcon icon) override;
    [[noreturn]] void EndProgram() override;
    HWND owner = nullptr;  // none for the load step's box, which comes before the window shows
};

class Starter : public ProgramStarter {
public:
    bool Start(const std::string& program, const std::string& commandLine,
               int showStyle) override;
};

// The list's pictures, read by a loader that posts `message` to the window whenever it has
// finished some; a new reading ends the old one's loader first.
class ListReader : public PictureReader {
public:
    ListReader(HWND window, UINT message, int side)
        : window_(window), message_(message), side_(side) {}
    void Read(const std::u16string& folder, const std::vector<std::u16string>& names) override;
    void Stop() override { loader_.reset(); }
    // The pictures finished since the last call, in list order; none without a reading.
    std::vector<LoadedPicture> TakeFinished();

private:
    HWND window_;
    UINT message_;
    int side_;
    std::unique_ptr<PictureLoader> loader_;
};

struct WindowParts {
    WindowParts(HINSTANCE instance, HWND window, int dpi, UINT picturesReadMessage,
                bool showProgress);
    // What FrmMain is made with.
    MainWindowParts ForForm(SettlingPause settlingPause);

    FormControls controls;
    PictureListView file1;
    ControlSwitch cmdAdd;
    StopButton cmdStop;
    ControlSwitch cmdChoose;
    CheckControl chkOverwrite;
    WindowTimer tmrRetry;
    Frame frame;
    Boxes dialogs;
    ListReader reader;
    Win32FolderPicker picker;
    Starter starter;
    Win32FileSystem files;
    Win32WindowSystem windows;
    Win32RunLock runLock;
    RunClosing closing;
    std::unique_ptr<FrmMain> form;
    std::unique_ptr<ListToolTips> listTips;
    std::unique_ptr<ShortcutCellEditor> shortcutEditor;  // made once `form` is
};

}  // namespace pimbrel::win32

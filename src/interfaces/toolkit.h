// The window toolkit pieces that the main window's logic drives: controls, timer, boxes.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace pimbrel {

class Switchable {
public:
    Switchable() = default;
    Switchable(const Switchable&) = delete;
    Switchable& operator=(const Switchable&) = delete;
    virtual ~Switchable() = default;
    virtual void SetEnabled(bool enabled) = 0;
};

// The picture list: a row a picture, in the given order, names in full Unicode, with
// extended multiple selection. Beside each picture and its name, a row has two texts of
// ours: its Shortcut and its Result; both are empty when the entries are set.
class FileListControl : public Switchable {
public:
    virtual void SetEntries(const std::vector<std::u16string>& names) = 0;
    // Selects every entry, in one step however long the list.
    virtual void SelectAll() = 0;
    virtual bool IsSelected(int index) const = 0;
    virtual void SetShortcutText(int index, const std::u16string& text) = 0;
    virtual void SetResultText(int index, const std::u16string& text) = 0;
    // The row a run has in hand: scrolled into view, and the list's focus on it.
    virtual void Follow(int index) = 0;
};

class CheckBoxControl : public Switchable {
public:
    // 0 not ticked, anything else ticked.
    virtual int Value() const = 0;
};

class RetryTimer {
public:
    RetryTimer() = default;
    RetryTimer(const RetryTimer&) = delete;
    RetryTimer& operator=(const RetryTimer&) = delete;
    virtual ~RetryTimer() = default;
    // 0 stops the timer; any other value (re)starts it with that period.
    virtual void SetInterval(std::uint32_t milliseconds) = 0;
};

// The main window's frame: its caption, and the progress that its taskbar button shows where
// the system offers one (nothing happens where it does not).
class WindowFrame {
public:
    WindowFrame() = default;
    WindowFrame(const WindowFrame&) = delete;
    WindowFrame& operator=(const WindowFrame&) = delete;
    virtual ~WindowFrame() = default;
    virtual void SetCaption(const std::string& text) = 0;  // UTF-8
    // `done` of `total` steps are done; total is at least 1.
    virtual void ShowProgress(int done, int total) = 0;
    // The progress shown stays, marked as paused, until the next ShowProgress.
    virtual void PauseProgress() = 0;
    virtual void HideProgress() = 0;
};

// Reads the list's pictures in the background, in list order, and tells the window of each
// as it is read. Reading a new list replaces the reading of the old one, whose pictures are
// no longer told.
class PictureReader {
public:
    PictureReader() = default;
    PictureReader(const PictureReader&) = delete;
    PictureReader& operator=(const PictureReader&) = delete;
    virtual ~PictureReader() = default;
    virtual void Read(const std::u16string& folder, const std::vector<std::u16string>& names) = 0;
    virtual void Stop() = 0;
};

// The system's folder picker, opening at `start`: the folder chosen, or nullopt when the
// user cancelled it.
class FolderPicker {
public:
    FolderPicker() = default;
    FolderPicker(const FolderPicker&) = delete;
    FolderPicker& operator=(const FolderPicker&) = delete;
    virtual ~FolderPicker() = default;
    virtual std::optional<std::u16string> PickFolder(const std::u16string& start) = 0;
};

enum class MessageIcon { None, Stop };

// Modal message boxes with one OK button, and the program's abrupt end. Texts are UTF-8.
class Dialogs {
public:
    Dialogs() = default;
    Dialogs(const Dialogs&) = delete;
    Dialogs& operator=(const Dialogs&) = delete;
    virtual ~Dialogs() = default;
    virtual void ShowMessage(const std::string& text, const std::string& title,
                             MessageIcon icon) = 0;
    // Ends the process at once; nothing after it runs.
    [[noreturn]] virtual void EndProgram() = 0;
};

// Starts a program of the Windows folder by its full path there (Windows would look for a
// bare name beside our own exe first), with the command line it is to see and a window show
// style; false when it failed.
class ProgramStarter {
public:
    ProgramStarter() = default;
    ProgramStarter(const ProgramStarter&) = delete;
    ProgramStarter& operator=(const ProgramStarter&) = delete;
    virtual ~ProgramStarter() = default;
    virtual bool Start(const std::string& program, const std::string& commandLine,
                       int showStyle) = 0;
};

}  // namespace pimbrel

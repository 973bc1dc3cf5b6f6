// In-memory controls, timer, boxes and files for whole-run tests of the main window.
#pragma once
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "interfaces/file_system.h"
#include "interfaces/run_lock.h"
#include "interfaces/toolkit.h"
#include "text_fakes.h"

namespace pimbrel::testing {

// Thrown where the real program would end; the test catches it.
struct ProgramEnded : std::runtime_error {
    ProgramEnded() : std::runtime_error("program ended") {}
};

// One log of everything the window's parts are told, in order.
using EventLog = std::vector<std::string>;

// A control whose enabling goes into the log under its name.
template <typename Control>
class Logged : public Control {
public:
    Logged(std::string name, EventLog& log) : name_(std::move(name)), log_(log) {}
    void SetEnabled(bool enabled) override {
        log_.push_back((enabled ? "enable " : "disable ") + name_);
    }

private:
    std::string name_;
    EventLog& log_;
};

class FakeFileList : public Logged<FileListControl> {
public:
    explicit FakeFileList(EventLog& log) : Logged("File1", log) {}
    void SetEntries(const std::vector<std::u16string>& names) override {
        names_ = names;
        selected_.assign(names.size(), false);
        shortcuts.assign(names.size(), u"");
        results.assign(names.size(), u"");
    }
    void SelectAll() override { selected_.assign(names_.size(), true); }
    // The user's click, for the tests.
    void SetSelected(int index, bool selected) { selected_.at(index) = selected; }
    bool IsSelected(int index) const override { return selected_.at(index); }
    void SetShortcutText(int index, const std::u16string& text) override {
        shortcuts.at(index) = text;
        ++textsTold;
    }
    void SetResultText(int index, const std::u16string& text) override {
        results.at(index) = text;
        ++textsTold;
    }
    void Follow(int index) override { followed.push_back(index); }
    const std::vector<std::u16string>& Names() const { return names_; }
    // The two columns of our own, a text a row, and how many texts the list was told.
    std::vector<std::u16string> shortcuts;
    std::vector<std::u16string> results;
    std::size_t textsTold = 0;
    std::vector<int> followed;  // the rows a run had in hand, in order

private:
    std::vector<std::u16string> names_;
    std::vector<bool> selected_;
};

class FakeCheckBox : public Logged<CheckBoxControl> {
public:
    explicit FakeCheckBox(EventLog& log) : Logged("chkOverwrite", log) {}
    int Value() const override { return value; }
    int value = 0;
};

// The window's frame, boxes, retry timer, program starter, picture reader and folder picker.
// What they are told goes into the log: a box as "box TEXT", with "stop " before it for the
// stop icon and its title after "box " where that is not the program's; the taskbar's
// progress as "progress DONE/TOTAL", "progress paused" and "progress off"; the reader as
// "read FOLDER: N pictures" and "stop reading"; the picker as "pick at FOLDER".
class FakeToolkit : public WindowFrame,
                    public Dialogs,
                    public RetryTimer,
                    public ProgramStarter,
                    public PictureReader,
                    public FolderPicker {
public:
    explicit FakeToolkit(EventLog& log) : log_(log) {}
    void SetCaption(const std::string& text) override {
        log_.push_back("caption " + text);
    }
    void ShowProgress(int done, int total) override {
        log_.push_back("progress " + std::to_string(done) + "/" + std::to_string(total));
    }
    void PauseProgress() override { log_.push_back("progress paused"); }
    void HideProgress() override { log_.push_back("progress off"); }
    void ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) override {
        boxes.push_back(text);
        log_.push_back((icon == MessageIcon::Stop ? "stop box " : "box ") +
                       (title == "Pimbrel" ? "" : "[" + title + "] ") + text);
    }
    [[noreturn]] void EndProgram() override {
        log_.push_back("end");
        throw ProgramEnded();
    }
    void SetInterval(std::uint32_t ms) override { log_.push_back("timer " + std::to_string(ms)); }
    bool Start(const std::string&, const std::string&, int) override { return true; }
    void Read(const std::u16string& folder, const std::vector<std::u16string>& names) override {
        log_.push_back("read " + Utf8(folder) + ": " + std::to_string(names.size()) + " pictures");
    }
    void Stop() override { log_.push_back("stop reading"); }
    std::optional<std::u16string> PickFolder(const std::u16string& start) override {
        log_.push_back("pick at " + Utf8(start));
        return picked;
    }
    std::vector<std::string> boxes;
    std::optional<std::u16string> picked;  // what the user picks; nullopt: cancelled

private:
    EventLog& log_;
};

// The desktop's one run lock: each window of a test holds a FakeRunLock onto the same holder,
// and may log when it takes and releases it.
struct SharedRunLock {
    const RunLock* holder = nullptr;
};

class FakeRunLock : public RunLock {
public:
    explicit FakeRunLock(SharedRunLock& shared, EventLog* log = nullptr)
        : shared_(shared), log_(log) {}
    bool TryTake() override {
        if (shared_.holder == nullptr && log_) log_->push_back("lock");
        if (shared_.holder == nullptr) shared_.holder = this;
        return Held();
    }
    void Release() override {
        if (Held() && log_) log_->push_back("unlock");
        if (Held()) shared_.holder = nullptr;
    }
    bool Held() const { return shared_.holder == this; }

private:
    SharedRunLock& shared_;
    EventLog* log_;
};

// Files by full path; a folder's listing is given as it is.
class FakeFileSystem : public FileSystem {
public:
    std::optional<std::vector<DirectoryEntry>> ListFolder(const std::u16string& path,
                                                          std::string& error) override {
        if (unreadable.count(path) != 0) {
            error = unreadable[path];
            return std::nullopt;
        }
        return folders[path];
    }
    // A relative path is taken from `currentFolder`; a trailing backslash goes, as the
    // system's full paths have none. Folders are the listings' keys, files their entries.
    PathLook Look(const std::u16string& path) override {
        std::u16string full =
            path.size() > 1 && path[1] == u':' ? path : currentFolder + u"\\" + path;
        while (full.size() > 3 && full.back() == u'\\') full.pop_back();
        if (folders.count(full) != 0 || unreadable.count(full) != 0)
            return {PathKind::Folder, full};
        const auto slash = full.find_last_of(u'\\');
        const auto folder = folders.find(full.substr(0, slash));
        if (folder != folders.end())
            for (const DirectoryEntry& entry : folder->second)
                if (entry.name == full.substr(slash + 1))
                    return {entry.directory ? PathKind::Folder : PathKind::File, full};
        return {PathKind::Missing, full};
    }
    std::u16string ShortPath(const std::u16string& path) override { return shortPaths[path]; }
    bool Exists(const std::u16string& path) override {
        return files.count(path) != 0 || locked.count(path) != 0;
    }
    std::unique_ptr<ByteReader> OpenForReading(const std::u16string& path,
                                               std::string& error) override {
        opened.push_back(path);
        if (files.count(path) == 0) error = "The system cannot find the file specified.";
        if (locked.count(path) != 0) error = locked[path];
        if (!error.empty()) return nullptr;
        return ReaderOf(files[path], std::string::npos,
                        failAt.count(path) != 0 ? failAt[path] : std::string::npos);
    }
    // Written whole, as the real one writes beside and moves over; a path in `unwritable`
    // refuses with its reason and keeps its old bytes.
    bool ReplaceFileBytes(const std::u16string& path, const std::string& bytes,
                          std::string& error) override {
        if (unwritable.count(path) != 0) {
            error = unwritable[path];
            return false;
        }
        files[path] = bytes;
        ++replaced;
        return true;
    }
    void AddPicture(const std::u16string& folder, const std::u16string& name) {
        folders[folder].push_back({name, u""});
    }
    std::map<std::u16string, std::vector<DirectoryEntry>> folders;
    std::map<std::u16string, std::string> unreadable;  // folder -> the reason it cannot be listed
    std::map<std::u16string, std::u16string> shortPaths;
    std::u16string currentFolder = u"C:\\Users\\me";
    std::map<std::u16string, std::string> files;   // path -> content (bytes)
    std::map<std::u16string, std::string> locked;  // path -> the reason it cannot be opened
    std::map<std::u16string, std::size_t> failAt;  // path -> bytes read before an error
    std::map<std::u16string, std::string> unwritable;  // path -> why it cannot be written
    std::vector<std::u16string> opened;
    int replaced = 0;
};

}  // namespace pimbrel::testing

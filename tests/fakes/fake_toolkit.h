// In-memory controls, timer, boxes and files for whole-run tests of the main window.
#pragma once
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/run_lock.h"
#include "platform/toolkit.h"

namespace pimbrel::testing {

// Thrown where the real program would end; the test catches it.
struct ProgramEnded : std::runtime_error {
    ProgramEnded() : std::runtime_error("program ended") {}
};

// One log of everything the window's parts are told, in order.
using EventLog = std::vector<std::string>;

class FakeSwitch : public Switchable {
public:
    FakeSwitch(std::string name, EventLog& log) : name_(std::move(name)), log_(log) {}
    void SetEnabled(bool enabled) override {
        enabled_ = enabled;
        log_.push_back((enabled ? "enable " : "disable ") + name_);
    }
    bool Enabled() const { return enabled_; }

protected:
    std::string name_;
    EventLog& log_;
    bool enabled_ = true;
};

class FakeFileList : public FileListControl {
public:
    explicit FakeFileList(EventLog& log) : switch_("File1", log) {}
    void SetEnabled(bool enabled) override { switch_.SetEnabled(enabled); }
    bool Enabled() const { return switch_.Enabled(); }
    void SetEntries(const std::vector<std::u16string>& names) override {
        names_ = names;
        selected_.assign(names.size(), false);
    }
    void SelectAll() override { selected_.assign(names_.size(), true); }
    // The user's click, for the tests.
    void SetSelected(int index, bool selected) { selected_.at(index) = selected; }
    bool IsSelected(int index) const override { return selected_.at(index); }
    const std::vector<std::u16string>& Names() const { return names_; }

private:
    FakeSwitch switch_;
    std::vector<std::u16string> names_;
    std::vector<bool> selected_;
};

class FakeCheckBox : public CheckBoxControl {
public:
    explicit FakeCheckBox(EventLog& log) : switch_("chkOverwrite", log) {}
    void SetEnabled(bool enabled) override { switch_.SetEnabled(enabled); }
    bool Enabled() const { return switch_.Enabled(); }
    int Value() const override { return value; }
    int value = 0;

private:
    FakeSwitch switch_;
};

class FakeTimer : public RetryTimer {
public:
    explicit FakeTimer(EventLog& log) : log_(log) {}
    void SetInterval(std::uint32_t milliseconds) override {
        interval = milliseconds;
        log_.push_back("timer " + std::to_string(milliseconds));
    }
    std::uint32_t interval = 0;

private:
    EventLog& log_;
};

// The caption goes into the log; the taskbar's progress is kept as the steps shown.
class FakeFrame : public WindowFrame {
public:
    explicit FakeFrame(EventLog& log) : log_(log) {}
    void SetCaption(const std::string& text) override {
        caption = text;
        log_.push_back("caption " + text);
    }
    void ShowProgress(int done, int total) override {
        progress.push_back(std::to_string(done) + "/" + std::to_string(total));
        showsProgress = true;
    }
    void HideProgress() override { showsProgress = false; }
    std::string caption = "Pimbrel";
    std::vector<std::string> progress;
    bool showsProgress = false;

private:
    EventLog& log_;
};

struct ShownMessage {
    std::string text;
    std::string title;
    MessageIcon icon;
};

class FakeDialogs : public Dialogs {
public:
    explicit FakeDialogs(EventLog& log) : log_(log) {}
    void ShowMessage(const std::string& text, const std::string& title,
                     MessageIcon icon) override {
        shown.push_back({text, title, icon});
        log_.push_back("box " + text);
        if (onShow) onShow(shown.back());
    }
    [[noreturn]] void EndProgram() override {
        log_.push_back("end");
        throw ProgramEnded();
    }
    std::vector<ShownMessage> shown;
    std::function<void(const ShownMessage&)> onShow;

private:
    EventLog& log_;
};

// The desktop's one run lock; each window of a test holds a FakeRunLock onto it.
struct SharedRunLock {
    const RunLock* holder = nullptr;
    int takes = 0;  // times it was taken
};

class FakeRunLock : public RunLock {
public:
    explicit FakeRunLock(SharedRunLock& shared) : shared_(shared) {}
    bool TryTake() override {
        if (shared_.holder != nullptr && shared_.holder != this) return false;
        if (shared_.holder == nullptr) ++shared_.takes;
        shared_.holder = this;
        return true;
    }
    void Release() override {
        if (shared_.holder == this) shared_.holder = nullptr;
    }
    bool Held() const { return shared_.holder == this; }

private:
    SharedRunLock& shared_;
};

class FakeStarter : public ProgramStarter {
public:
    struct Started {
        std::string program;
        std::string commandLine;
        int showStyle;
    };
    bool Start(const std::string& program, const std::string& commandLine,
               int showStyle) override {
        started.push_back({program, commandLine, showStyle});
        return succeed;
    }
    std::vector<Started> started;
    bool succeed = true;
};

// Files by full path; a folder's listing is given as it is.
class FakeFileSystem : public FileSystem {
public:
    std::vector<DirectoryEntry> ListFolder(const std::u16string& folderPath) override;
    bool Exists(const std::u16string& path) override;
    std::unique_ptr<ByteReader> OpenForReading(const std::u16string& path,
                                               std::string& error) override;

    void AddPicture(const std::u16string& folder, const std::u16string& name);
    std::map<std::u16string, std::vector<DirectoryEntry>> folders;
    std::map<std::u16string, std::string> files;   // path -> content (bytes)
    std::map<std::u16string, std::string> locked;  // path -> the reason it cannot be opened
    std::vector<std::u16string> opened;
};

}  // namespace pimbrel::testing

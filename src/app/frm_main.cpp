// frmMain's load step, the folders it opens, and its event handlers.
#include "app/frm_main.h"

#include "app/chosen_folder.h"
#include "app/main_window_layout.h"
#include "app/picture_folder.h"
#include "app/run_texts.h"
#include "app/shortcut_plan.h"

namespace pimbrel {

namespace {
constexpr std::uint32_t kStopped = 0;
}  // namespace

FrmMain::FrmMain(const MainWindowParts& parts, FolderName pictureFolder) : parts_(parts) {
    pictures_.folder = std::move(pictureFolder);
}

FrmMain::~FrmMain() = default;

void FrmMain::Load() { ShowPictures(LoadPictureList(parts_.files, pictures_.folder)); }

void FrmMain::Start(const std::u16string& commandLine) {
    const std::vector<std::u16string> paths = CommandLinePaths(commandLine);
    // A folder that cannot be opened has been named in a box: the program's own follows.
    if (paths.empty() || !OpenFolder(PathToOpen(parts_.files, paths))) Load();
}

bool FrmMain::OpenFolder(const std::u16string& path) {
    if (runActive_ || !controlsEnabled_) return false;
    std::string problem;
    std::optional<PictureList> pictures = ReadPictureFolder(parts_.files, path, problem);
    if (!pictures) {
        parts_.dialogs.ShowMessage(problem, kProgramTitle, MessageIcon::Stop);
        return false;
    }
    caption_ = FolderCaption(pictures->folder);
    parts_.frame.SetCaption(caption_);
    ShowPictures(std::move(*pictures));
    return true;
}

void FrmMain::ShowPictures(PictureList pictures) {
    // The old list's pictures must not land in the new one.
    if (shown_) parts_.reader.Stop();
    pictures_ = std::move(pictures);
    const std::vector<std::u16string> names = PictureNames(pictures_);
    parts_.file1.SetEntries(names);
    parts_.file1.SelectAll();
    outcomes_.assign(names.size(), std::nullopt);
    pictureStates_.assign(names.size(), PictureState::Loading);
    shownShortcuts_.assign(names.size(), std::u16string());
    shownResults_.assign(names.size(), std::u16string());
    plan_.reset();
    // Typed shortcuts not saved belong to the folder they were typed for.
    held_.Clear();
    editing_.reset();
    if (shown_) {
        parts_.reader.Read(pictures_.folder.text, names);
        ShowColumns();
    }
    if (names.empty())
        parts_.dialogs.ShowMessage(
            "Please put this program in the same directory of your emoticons.", kProgramTitle,
            MessageIcon::None);
}

void FrmMain::OnChooseClick() {
    if (const auto folder = parts_.picker.PickFolder(pictures_.folder.text)) OpenFolder(*folder);
}

void FrmMain::OnAddClick() { AddRun(); }

void FrmMain::OnRetryTick() {
    parts_.tmrRetry.SetInterval(kStopped);
    retryArmed_ = false;
    parts_.cmdStop.SetEnabled(false);
    AddRun();
}

void FrmMain::OnShown() {
    shown_ = true;
    parts_.reader.Read(pictures_.folder.text, PictureNames(pictures_));
    ShowColumns();
}

void FrmMain::OnActivated() {
    plan_.reset();
    ShowColumns();
}

void FrmMain::OnPictureRead(int index, PictureState state) {
    pictureStates_.at(index) = state;
    ShowResult(index);
}

ShortcutPlan& FrmMain::Plan() {
    if (!plan_) {
        plan_ = std::make_unique<ShortcutPlan>(PlanShortcuts(parts_.files, pictures_));
        held_.ApplyTo(plan_->listedShortcuts);
    }
    return *plan_;
}

namespace {

// The shortcut the next Add sends for entry `index`, and whether the list file gave it.
std::u16string PlannedShortcut(ShortcutPlan& plan, std::size_t index, bool& listed) {
    const std::u16string& shortcut =
        ChosenShortcut(ShortcutTables{plan.autoShortcuts, plan.listedShortcuts}, index);
    listed = &shortcut == &plan.listedShortcuts.at(index);
    return SentForm(shortcut);
}

}  // namespace

std::u16string FrmMain::EntryToolTip(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= pictures_.entries.size()) return {};
    if (const auto& outcome = outcomes_.at(index)) return OutcomeToolTip(*outcome);
    // Read only now, not at start-up: the window shows as fast with a thousand pictures.
    bool listed = false;
    const std::u16string shortcut = PlannedShortcut(Plan(), index, listed);
    return held_.Holds(index) ? HeldToolTip(shortcut) : PlannedToolTip(shortcut, listed);
}

std::u16string FrmMain::ResultText(std::size_t index) const {
    if (inHand_ == index) return kInHandResult;
    if (const auto& outcome = outcomes_.at(index)) return OutcomeToolTip(*outcome);
    return PictureStateResult(pictureStates_.at(index));
}

void FrmMain::ShowColumns() {
    for (std::size_t i = 0; i < pictures_.entries.size(); ++i) {
        // The shortcuts wait for the window to show; the results need no reading.
        if (shown_) {
            bool listed = false;
            std::u16string shortcut = PlannedShortcut(Plan(), i, listed);
            shortcut = held_.Holds(i) ? HeldShortcutColumn(shortcut)
                                      : ShortcutColumn(shortcut, listed);
            if (shortcut != shownShortcuts_[i]) {
                parts_.file1.SetShortcutText(static_cast<int>(i), shortcut);
                shownShortcuts_[i] = std::move(shortcut);
            }
        }
        ShowResult(i);
    }
}

void FrmMain::ShowResult(std::size_t index) {
    std::u16string result = ResultText(index);
    if (result == shownResults_.at(index)) return;
    parts_.file1.SetResultText(static_cast<int>(index), result);
    shownResults_[index] = std::move(result);
}

void FrmMain::OnSiteClick() {
    // A browser that cannot be started is no reason to end the program: say so and go on.
    if (!parts_.starter.Start(kSiteProgram, SiteCommandLine(), kSiteShowStyle))
        parts_.dialogs.ShowMessage("The web site could not be opened in the browser.",
                                   kProgramTitle, MessageIcon::Stop);
}

}  // namespace pimbrel

// frmMain's load step and event handlers.
#include "app/frm_main.h"

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

void FrmMain::Load() {
    pictures_ = LoadPictureList(parts_.files, pictures_.folder);
    const std::vector<std::u16string> names = PictureNames(pictures_);
    parts_.file1.SetEntries(names);
    parts_.file1.SelectAll();
    outcomes_.assign(names.size(), std::nullopt);
    if (names.empty())
        parts_.dialogs.ShowMessage(
            "Please put this program in the same directory of your emoticons.", kProgramTitle,
            MessageIcon::None);
}

void FrmMain::OnAddClick() { AddRun(); }

void FrmMain::OnRetryTick() {
    parts_.tmrRetry.SetInterval(kStopped);
    AddRun();
}

void FrmMain::OnActivated() { plan_.reset(); }

std::u16string FrmMain::EntryToolTip(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= pictures_.entries.size()) return {};
    if (const auto& outcome = outcomes_.at(index)) return OutcomeToolTip(*outcome);
    // Read only now, not at start-up: the window shows as fast with a thousand pictures.
    if (!plan_) plan_ = std::make_unique<ShortcutPlan>(PlanShortcuts(parts_.files, pictures_));
    const ShortcutTables tables{plan_->autoShortcuts, plan_->listedShortcuts};
    const std::u16string& shortcut = ChosenShortcut(tables, index);
    return PlannedToolTip(SentForm(shortcut), &shortcut == &plan_->listedShortcuts.at(index));
}

void FrmMain::OnSiteClick() {
    // A browser that cannot be started is no reason to end the program: say so and go on.
    if (!parts_.starter.Start(kSiteProgram, SiteCommandLine(), kSiteShowStyle))
        parts_.dialogs.ShowMessage("The web site could not be opened in the browser.",
                                   kProgramTitle, MessageIcon::Stop);
}

}  // namespace pimbrel

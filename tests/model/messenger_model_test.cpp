// The Messenger model's reactions, command by command, in a minimal host.
#include <gtest/gtest.h>

#include "messenger/messenger_contract.h"
#include "messenger_model/messenger_model.h"
#include "model_host.h"

namespace standin::testing {
namespace {
namespace contract = pimbrel::contract;

class ModelTest : public ::testing::Test {
protected:
    void Start(Options options = {}, std::vector<Emoticon> store = {}) {
        options_ = options;
        model.reset(new MessengerModel(host, options, std::move(store), [](const std::string& p) {
            return p.find("broken") == std::string::npos;
        }));
        model->onSave = [this] { ++saves; };
        model->Start();
    }
    bool Older() const { return options_.client == ClientKind::Older; }
    void Command(WindowId window, contract::Command command) {
        model->OnMessage(window, contract::kWmCommand, command.wParam, command.lParam, "");
    }
    void Text(WindowId edit, const std::string& text) {
        host.SetText(edit, text);
        model->OnMessage(edit, contract::kWmSetText, contract::kSetTextWParam, 0, text);
    }
    WindowId Main() {
        return host.ZOrder().empty() ? 0 : host.ZOrder().back();  // the first window made
    }
    const char* EmoticonClass() const {
        return Older() ? contract::kDialogClass : contract::kNewerEmoticonClass;
    }
    WindowId Emoticon() { return host.TopOwned(Main(), EmoticonClass()); }
    WindowId Create() { return host.TopOwned(Emoticon(), contract::kDialogClass); }
    WindowId Prompt() { return host.TopOwned(Create(), contract::kDialogClass); }
    std::vector<WindowId> Edits() { return host.Children(Create(), contract::kEditClass); }
    int Buttons(WindowId window) {
        return static_cast<int>(host.Children(window, contract::kButtonClass).size());
    }
    void OpenEmoticons() {
        Command(Main(), Older() ? contract::kOpenEmoticonsOlder : contract::kOpenEmoticonsNewer);
        host.Tick(0);
    }
    void OpenCreate() {
        Command(Emoticon(), Older() ? contract::kOpenCreateOlder : contract::kOpenCreateNewer);
        host.Tick(0);
    }
    // Opens both dialogs, types the three texts and confirms.
    void Enter(const std::string& path, const std::string& shortcut, const std::string& name) {
        if (Emoticon() == 0) OpenEmoticons();
        OpenCreate();
        const std::vector<WindowId> edits = Edits();
        ASSERT_EQ(edits.size(), 3u);
        Text(edits[0], path);
        Text(edits[1], shortcut);
        Text(edits[2], name);
        Command(Create(), contract::kConfirm);
        host.Tick(0);
    }

    ModelHost host;
    std::unique_ptr<MessengerModel> model;
    Options options_;
    int saves = 0;
};

class BothClientsTest : public ModelTest, public ::testing::WithParamInterface<ClientKind> {
protected:
    Options Client() {
        Options options;
        options.client = GetParam();
        return options;
    }
};

TEST_P(BothClientsTest, MainWindowHasTheClientsClass) {
    Start(Client());
    ASSERT_EQ(host.ZOrder().size(), 1u);
    EXPECT_EQ(host.Find(Main())->className,
              Older() ? contract::kOlderMainClass : contract::kNewerMainClass);
    EXPECT_EQ(host.Find(Main())->owner, 0u);
}

TEST_P(BothClientsTest, OpenCommandShowsTheEmoticonDialogAfterItsDelay) {
    Options options = Client();
    options.emoticonDelayMs = 300;
    Start(options);
    OpenEmoticons();
    host.Tick(299);
    EXPECT_EQ(Emoticon(), 0u);
    host.Tick(1);
    ASSERT_NE(Emoticon(), 0u);
    EXPECT_EQ(host.ZOrder().front(), Emoticon()) << "on top";
    EXPECT_EQ(Buttons(Emoticon()), Older() ? 8 : 0);
}

TEST_P(BothClientsTest, SecondOpenCommandAddsNothing) {
    Options options = Client();
    options.emoticonDelayMs = 100;
    Start(options);
    OpenEmoticons();
    OpenEmoticons();  // while the first is still on its way
    host.Tick(100);
    OpenEmoticons();
    host.Tick(1000);
    EXPECT_EQ(host.ZOrder().size(), 2u);
}

TEST_P(BothClientsTest, CreateDialogShowsItsEditsAfterItsOwnDelay) {
    Options options = Client();
    options.createDelayMs = 50;
    options.editsDelayMs = 20;
    Start(options);
    OpenEmoticons();
    OpenCreate();
    host.Tick(49);
    EXPECT_EQ(Create(), 0u);
    host.Tick(1);
    ASSERT_NE(Create(), 0u);
    EXPECT_TRUE(Edits().empty()) << "the dialog comes before its Edits";
    host.Tick(20);
    const std::vector<WindowId>& children = host.Find(Create())->children;
    ASSERT_EQ(children.size(), 5u);
    const Role order[] = {Role::PathEdit, Role::ShortcutEdit, Role::NameEdit, Role::CreateButton,
                          Role::CreateButton};
    for (std::size_t i = 0; i < children.size(); ++i) {
        EXPECT_EQ(host.Find(children[i])->role, order[i]) << i;
        EXPECT_EQ(host.Find(children[i])->className,
                  i < 3 ? contract::kEditClass : contract::kButtonClass);
    }
}

TEST_P(BothClientsTest, SecondCreateCommandAddsNothing) {
    Options options = Client();
    options.createDelayMs = 10;
    Start(options);
    OpenEmoticons();
    OpenCreate();
    OpenCreate();
    host.Tick(10);
    OpenCreate();
    host.Tick(100);
    EXPECT_EQ(host.ZOrder().size(), 3u);
}

TEST_P(BothClientsTest, ConfirmStoresTheEntryAndClosesTheDialog) {
    Options options = Client();
    options.promptDelayMs = 40;
    Start(options);
    Enter("C:\\p\\smile.gif", "(smile)", "smile");
    EXPECT_NE(Create(), 0u) << "still checking";
    host.Tick(40);
    EXPECT_EQ(Create(), 0u);
    ASSERT_EQ(model->Store().size(), 1u);
    EXPECT_EQ(model->Store()[0].shortcut, "(smile)");
    EXPECT_EQ(model->Store()[0].name, "smile");
    EXPECT_EQ(model->Store()[0].path, "C:\\p\\smile.gif");
    EXPECT_NE(Emoticon(), 0u) << "the emoticon dialog stays";
}

TEST_P(BothClientsTest, OtherCommandsAreJournaledAndIgnored) {
    Start(Client());
    const contract::Command wrongOpen =
        Older() ? contract::kOpenEmoticonsNewer : contract::kOpenEmoticonsOlder;
    Command(Main(), wrongOpen);
    Command(Main(), {contract::kOpenEmoticonsOlder.wParam, 1});
    Command(Main(), contract::kConfirm);
    host.Tick(100);
    EXPECT_EQ(Emoticon(), 0u);
    OpenEmoticons();
    const contract::Command wrongCreate =
        Older() ? contract::kOpenCreateNewer : contract::kOpenCreateOlder;
    Command(Emoticon(), wrongCreate);
    Command(Emoticon(), {1420, 0});
    Command(Emoticon(), contract::kConfirm);
    model->OnMessage(Emoticon(), 0x0010 /* WM_CLOSE */, 0, 0, "");
    host.Tick(100);
    EXPECT_EQ(Create(), 0u);
    EXPECT_NE(Emoticon(), 0u);
    EXPECT_EQ(model->Journal().size(), 8u);
    EXPECT_EQ(model->Journal()[0].role, Role::Main);
    EXPECT_EQ(model->Journal()[7].message, 0x0010u);
}

INSTANTIATE_TEST_SUITE_P(Clients, BothClientsTest,
                         ::testing::Values(ClientKind::Older, ClientKind::Newer),
                         [](const auto& info) {
                             return info.param == ClientKind::Older ? "Older" : "Newer";
                         });

struct RefusedEntry {
    const char* why;
    std::string shortcut;
    std::string path;
};

class OneButtonPromptTest : public ModelTest, public ::testing::WithParamInterface<RefusedEntry> {};

TEST_P(OneButtonPromptTest, RefusesWithOneButtonUntilTheShortcutIsFixed) {
    Start();
    Enter(GetParam().path, GetParam().shortcut, "name");
    ASSERT_NE(Prompt(), 0u);
    EXPECT_EQ(host.Find(Prompt())->owner, Create());
    EXPECT_EQ(Buttons(Prompt()), 1);
    EXPECT_TRUE(model->Store().empty());

    Command(Create(), contract::kConfirm);  // behind the prompt: lost
    Command(Prompt(), contract::kOverwriteNoPrompt);  // not this prompt's answer
    host.Tick(10);
    ASSERT_NE(Prompt(), 0u);
    EXPECT_EQ(host.ZOrder().size(), 4u);

    Command(Prompt(), contract::kDismissOneButton);
    EXPECT_EQ(Prompt(), 0u);
    ASSERT_NE(Create(), 0u) << "the create dialog stays for another try";
    Text(Edits()[0], "C:\\p\\fine.png");
    Text(Edits()[1], "fine");
    Command(Create(), contract::kConfirm);
    host.Tick(0);
    ASSERT_EQ(model->Store().size(), 1u);
    EXPECT_EQ(model->Store()[0].shortcut, "fine");
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, OneButtonPromptTest,
    ::testing::Values(RefusedEntry{"Empty", "", "a.gif"}, RefusedEntry{"Eight", "12345678", "a.gif"},
                      RefusedEntry{"Smile", ":)", "a.gif"}, RefusedEntry{"Sad", ":(", "a.gif"},
                      RefusedEntry{"Wink", ";)", "a.gif"}, RefusedEntry{"Grin", ":D", "a.gif"},
                      RefusedEntry{"Tongue", ":P", "a.gif"}, RefusedEntry{"Surprise", ":O", "a.gif"},
                      RefusedEntry{"Yes", "(Y)", "a.gif"}, RefusedEntry{"No", "(N)", "a.gif"},
                      RefusedEntry{"NotAPicture", "(ok)", "C:\\broken.gif"}),
    [](const auto& info) { return info.param.why; });

TEST_F(ModelTest, SevenCharactersAndLookalikesOfBuiltInsAreTaken) {
    Start();
    for (const char* shortcut : {"1234567", "B)", ":)2", "(y)"}) {
        Enter("a.gif", shortcut, "a");
        EXPECT_EQ(Prompt(), 0u) << shortcut;
    }
    EXPECT_EQ(model->Store().size(), 4u);
}

TEST_F(ModelTest, SameShortcutAsksWithTwoButtons) {
    Start({}, {{"(old)", "old", "C:\\old.gif"}, {"(keep)", "keep", "C:\\keep.gif"}});
    Enter("C:\\new.gif", "(old)", "new");
    ASSERT_NE(Prompt(), 0u);
    EXPECT_EQ(Buttons(Prompt()), 2);
    EXPECT_EQ(host.Find(Prompt())->owner, Create());
    Command(Prompt(), contract::kConfirm);  // not this prompt's answer
    EXPECT_NE(Prompt(), 0u);
    Command(Prompt(), contract::kDismissOneButton);  // IDCANCEL: read as No
    EXPECT_EQ(Prompt(), 0u);
    EXPECT_EQ(model->Store()[0].name, "old");
}

TEST_F(ModelTest, ShortcutsCompareCaseSensitively) {
    Start({}, {{"(ab)", "old", "C:\\old.gif"}});
    Enter("C:\\new.gif", "(AB)", "new");
    EXPECT_EQ(Prompt(), 0u);
    EXPECT_EQ(model->Store().size(), 2u);
}

TEST_F(ModelTest, CloseCommandClosesEverythingItOwnsAndSaves) {
    Start();
    Enter("a.gif", ":)", "a");
    ASSERT_NE(Prompt(), 0u);
    Command(Emoticon(), contract::kCloseEmoticons);
    EXPECT_EQ(host.ZOrder().size(), 1u) << "only the main window is left";
    EXPECT_EQ(saves, 1);
    OpenEmoticons();
    EXPECT_NE(Emoticon(), 0u) << "it can be opened again";
}

TEST_F(ModelTest, CloseWhileTheCreateDialogIsOnItsWayCancelsIt) {
    Options options;
    options.createDelayMs = 50;
    Start(options);
    OpenEmoticons();
    OpenCreate();
    Command(Emoticon(), contract::kCloseEmoticons);
    host.Tick(100);
    EXPECT_EQ(host.ZOrder().size(), 1u);
}

TEST_F(ModelTest, QuitsAfterTheGivenNumberStored) {
    Options options;
    options.quitAfterStored = 2;
    Start(options);
    Enter("a.gif", "(a)", "a");
    EXPECT_EQ(host.quits, 0);
    const WindowId main = Main();
    Enter("b.gif", "(b)", "b");
    EXPECT_EQ(host.quits, 1);
    EXPECT_TRUE(host.ZOrder().empty());
    model->OnMessage(main, contract::kWmCommand, contract::kOpenEmoticonsOlder.wParam, 0, "");
    host.Tick(100);
    EXPECT_TRUE(host.ZOrder().empty()) << "a closed client does nothing more";
}

TEST_F(ModelTest, NeverOpeningClientIgnoresTheOpenCommand) {
    Options options;
    options.neverOpenEmoticons = true;
    Start(options);
    OpenEmoticons();
    host.Tick(10000);
    EXPECT_EQ(host.ZOrder().size(), 1u);
    EXPECT_EQ(model->Journal().size(), 1u);
}

TEST_F(ModelTest, PreexistingEightButtonDialogIsTheEmoticonDialog) {
    Options options;
    options.preexistingDialogButtons = 8;
    Start(options);
    const WindowId open = host.ZOrder().front();
    EXPECT_EQ(Buttons(open), 8);
    OpenEmoticons();
    EXPECT_EQ(host.ZOrder().size(), 2u) << "already open";
    OpenCreate();
    EXPECT_EQ(host.Find(Create())->owner, open);
}

TEST_F(ModelTest, PreexistingOtherDialogStaysBelowTheNewOne) {
    Options options;
    options.preexistingDialogButtons = 3;
    Start(options);
    const WindowId open = host.ZOrder().front();
    EXPECT_EQ(Buttons(open), 3);
    Command(open, contract::kOpenCreateOlder);
    host.Tick(100);
    EXPECT_EQ(host.ZOrder().size(), 2u) << "not the emoticon dialog";
    OpenEmoticons();
    EXPECT_NE(Emoticon(), open);
    EXPECT_EQ(Buttons(Emoticon()), 8);
}

TEST_F(ModelTest, JournalNamesEveryTargetAndText) {
    Start();
    Enter("C:\\a.gif", "(a)", "a");
    model->OnMessage(999, contract::kWmCommand, 5, 6, "");
    const std::vector<JournalEntry>& journal = model->Journal();
    ASSERT_EQ(journal.size(), 7u);
    const Role roles[] = {Role::Main,     Role::Emoticon, Role::PathEdit, Role::ShortcutEdit,
                          Role::NameEdit, Role::Create,   Role::Other};
    for (std::size_t i = 0; i < journal.size(); ++i) EXPECT_EQ(journal[i].role, roles[i]) << i;
    EXPECT_EQ(journal[3].text, "(a)");
    EXPECT_EQ(journal[3].wParam, 256u);
    EXPECT_EQ(journal[5].lParam, contract::kConfirm.lParam);
    EXPECT_STREQ(RoleName(Role::ShortcutEdit), "ShortcutEdit");
}

}  // namespace
}  // namespace standin::testing

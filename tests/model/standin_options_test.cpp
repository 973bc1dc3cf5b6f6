// The stand-in's command line, store file and journal lines.
#include <gtest/gtest.h>

#include "standin_options.h"

namespace standin {
namespace {

TEST(StandInArguments, EveryOptionLandsInItsField) {
    std::string error;
    const auto parsed = ParseArguments(
        {"--client", "newer", "--store", "s.txt", "--journal", "j.txt", "--ready", "r",
         "--emoticon-delay", "1500", "--create-delay", "2", "--edits-delay", "3",
         "--prompt-delay", "4", "--never-open", "--buttonless-prompts", "--quit-after", "2",
         "--preexisting-dialog-buttons", "8", "--idle-windows", "300", "--build-gap", "3",
         "--minimised", "--reuse-create"},
        error);
    ASSERT_TRUE(parsed) << error;
    EXPECT_EQ(parsed->model.client, ClientKind::Newer);
    EXPECT_EQ(parsed->storeFile, "s.txt");
    EXPECT_EQ(parsed->journalFile, "j.txt");
    EXPECT_EQ(parsed->readyFile, "r");
    EXPECT_EQ(parsed->model.emoticonDelayMs, 1500u);
    EXPECT_EQ(parsed->model.createDelayMs, 2u);
    EXPECT_EQ(parsed->model.editsDelayMs, 3u);
    EXPECT_EQ(parsed->model.promptDelayMs, 4u);
    EXPECT_TRUE(parsed->model.neverOpenEmoticons);
    EXPECT_TRUE(parsed->model.promptsWithoutButtons);
    EXPECT_EQ(parsed->model.quitAfterStored, 2);
    EXPECT_EQ(parsed->model.preexistingDialogButtons, 8);
    EXPECT_EQ(parsed->idleWindows, 300);
    EXPECT_EQ(parsed->model.buildGapMs, 3u);
    EXPECT_TRUE(parsed->model.minimised);
    EXPECT_TRUE(parsed->model.reuseCreateDialog);
}

TEST(StandInArguments, DefaultsAreAQuietOlderClient) {
    std::string error;
    const auto parsed = ParseArguments({}, error);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->model.client, ClientKind::Older);
    EXPECT_EQ(parsed->model.quitAfterStored, -1);
    EXPECT_EQ(parsed->model.preexistingDialogButtons, -1);
}

TEST(StandInArguments, MistakesAreRefused) {
    const std::vector<std::vector<std::string>> wrong = {
        {"--client", "oldest"}, {"--emoticon-delay", "-1"}, {"--prompt-delay", "12x"},
        {"--quit-after"},       {"--bogus", "1"},           {"stray"},
        {"--create-delay", ""}};
    for (const auto& args : wrong) {
        std::string error;
        EXPECT_FALSE(ParseArguments(args, error)) << args[0];
        EXPECT_FALSE(error.empty());
    }
}

TEST(StandInStore, ReadsWhatItWritesAndToleratesLooseLines) {
    const std::vector<Emoticon> store = {{"(a)", "a", "C:\\p\\a.png"},
                                         {":-]", "caf\xe9", "C:\\p\\CAF~1.PNG"}};
    const std::vector<Emoticon> back = ParseStore(FormatStore(store));
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[1].name, "caf\xe9");
    EXPECT_EQ(back[1].path, "C:\\p\\CAF~1.PNG");
    const std::vector<Emoticon> loose = ParseStore("(x)\tx\tC:\\x.gif\n\n(y)\r\n(z)\tz\n");
    ASSERT_EQ(loose.size(), 3u);
    EXPECT_EQ(loose[0].path, "C:\\x.gif");
    EXPECT_EQ(loose[1].shortcut, "(y)");
    EXPECT_EQ(loose[2].name, "z");
    EXPECT_TRUE(loose[2].path.empty());
}

TEST(StandInJournal, OneLinePerMessage) {
    EXPECT_EQ(FormatJournalLine({Role::ShortcutEdit, 12, 256, 0, "a\tb\r\n"}),
              "ShortcutEdit\t12\t256\t0\ta\\tb\\r\\n");
    EXPECT_EQ(FormatJournalLine({Role::Main, 273, 0xFFFF9D41u, 0, ""}),
              "Main\t273\t4294942017\t0\t");
}

TEST(StandInPictureCheck, KnowsTheFourFormats) {
    EXPECT_TRUE(HasPictureMagic("BM\x36\x03"));
    EXPECT_TRUE(HasPictureMagic("GIF89a.."));
    EXPECT_TRUE(HasPictureMagic("GIF87a"));
    EXPECT_TRUE(HasPictureMagic("\xFF\xD8\xFF\xE0"));
    EXPECT_TRUE(HasPictureMagic(std::string("\x89PNG\r\n\x1A\n", 8)));
    EXPECT_FALSE(HasPictureMagic(std::string("\x89PNG\r\n", 6)));
    EXPECT_FALSE(HasPictureMagic("GIF8"));
    EXPECT_FALSE(HasPictureMagic("hello"));
    EXPECT_FALSE(HasPictureMagic(""));
}

}  // namespace
}  // namespace standin

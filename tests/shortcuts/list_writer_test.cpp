// The list file writer and the checks before it: exact bytes for each kind of file, and every
// file read back by the reader, which must give the picture what was asked and every other
// picture what it had.
#include <gtest/gtest.h>

#include <map>
#include <optional>

#include "shortcuts/list_writer.h"
#include "shortcuts/listed_checks.h"
#include "text_fakes.h"

namespace pimbrel::testing {
namespace {

// What the reader gives each listed name (lower-cased): its last entry.
std::map<std::u16string, std::u16string> Listed(const std::string& bytes) {
    Entries entries;
    EXPECT_EQ(ReadEntries(bytes, std::string::npos, entries), ListFileResult::Read);
    std::map<std::u16string, std::u16string> listed;
    for (const auto& [name, shortcut] : entries) listed[LowerCase(name)] = shortcut;
    return listed;
}

// Writes and reads back: the picture has `shortcut` (no entry at all for the empty text) and
// every other name keeps its shortcut.
std::optional<std::string> Write(const std::optional<std::string>& file, const std::u16string& name,
                                 const std::u16string& shortcut) {
    const std::optional<std::string> bytes = WithListedShortcut(file, name, shortcut);
    if (!bytes) return bytes;
    std::map<std::u16string, std::u16string> wanted = Listed(file.value_or(""));
    if (shortcut.empty())
        wanted.erase(LowerCase(name));
    else
        wanted[LowerCase(name)] = shortcut;
    EXPECT_EQ(Listed(*bytes), wanted) << "read back";
    return bytes;
}

TEST(ListWriter, ChangesOnlyThePicturesEntries) {
    const std::optional<std::string> none;
    const struct {
        const char* what;
        std::optional<std::string> file;
        const char16_t* name;
        const char16_t* shortcut;
        std::optional<std::string> bytes;
    } table[] = {
        {"no file", none, u"smile.gif", u"(sm)", "---List---\r\nsmile.gif - (sm)\r\n---\r\n"},
        {"no file, automatic", none, u"smile.gif", u"", ""},
        {"no line end at the end", "Hello", u"a.gif", u":)",
         "Hello\r\n---List---\r\na.gif - :)\r\n---"},
        {"LF ends no line: one line, no section", "---List---\na.gif - 1\n", u"a.gif", u":)",
         "---List---\na.gif - 1\n\r\n---List---\r\na.gif - :)\r\n---"},
        {"CR-only file", "x\r---List---\rb.gif - 2\r---\r", u"a.gif", u":)",
         "x\r---List---\rb.gif - 2\ra.gif - :)\r---\r"},
        {"spelling, blanks after the hyphen kept; old trailing blanks go",
         "---List---\r\n\tWink.PNG\t -  ;-) \t\r\nz - 1\r\n", u"wink.png", u";)",
         "---List---\r\n\tWink.PNG\t -  ;)\r\nz - 1\r\n"},
        {"only the last entry changes", "---List---\r\na.gif - 1\r\nA.GIF - 2\r\nb - 3\r\n",
         u"a.gif", u"(x)", "---List---\r\na.gif - 1\r\nA.GIF - (x)\r\nb - 3\r\n"},
        {"the shortcut it has: nothing changes", "---List---\r\na.gif -  (x)  \r\n", u"a.gif",
         u"(x)", "---List---\r\na.gif -  (x)  \r\n"},
        {"the last section's last entry, before its blank lines and end",
         "top\r\n---List---\r\nb - 1\r\n--- between - x\r\n---List---\r\nc - 2\r\nnote\r\n\r\n---"
         "\r\nafter\r\n",
         u"a.gif", u"(a)",
         "top\r\n---List---\r\nb - 1\r\n--- between - x\r\n---List---\r\nc - 2\r\na.gif - (a)\r\n"
         "note\r\n\r\n---\r\nafter\r\n"},
        {"open to the end, no line end", "---List---\r\nb - 1", u"a.gif", u"(a)",
         "---List---\r\nb - 1\r\na.gif - (a)"},
        {"an entry outside a section is no entry", "a.gif - 1\r\n---List---\r\n", u"a.gif",
         u"(a)", "a.gif - 1\r\n---List---\r\na.gif - (a)\r\n"},
        {"automatic: every entry goes, in every section",
         "---List---\r\na.gif - 1\r\nb - 2\r\n---\r\n---List---\r\n A.Gif - 3\r\n", u"a.gif", u"",
         "---List---\r\nb - 2\r\n---\r\n---List---\r\n"},
        {"automatic: a lone CR and a LF after the entry stay two line ends",
         "---List---\ra.gif - 1\r\n\nb - 2\r", u"a.gif", u"", "---List---\r\r\n\nb - 2\r"},
        {"a shortcut with a tab", "", u"a.gif", u"(\t)", none},
    };
    for (const auto& row : table) {
        EXPECT_EQ(Write(row.file, row.name, row.shortcut), row.bytes) << row.what;
    }
}

// Trail bytes that read as "\\" or a capital stay halves of their characters; names match
// without regard to case beyond A-Z.
TEST(ListWriter, DoubleByteFilesKeepTheirBytes) {
    const IconvCodePage codePage("CP932");
    const std::u16string top = u"表の一覧\r\n---List---\r\n";
    const std::string file = ToAnsi(top + u"ソフト.gif - (ソ)\r\nＡＢ.gif - x\r\n");
    ASSERT_NE(file.find("\x83\x5C"), std::string::npos);
    EXPECT_EQ(Write(file, u"ソフト.gif", u"(表)"),
              ToAnsi(top + u"ソフト.gif - (表)\r\nＡＢ.gif - x\r\n"));
    EXPECT_EQ(Write(file, u"ａｂ.GIF", u""), ToAnsi(top + u"ソフト.gif - (ソ)\r\n"));
    EXPECT_EQ(Write(file, u"猫.png", u"ねこ"),
              ToAnsi(top + u"ソフト.gif - (ソ)\r\nＡＢ.gif - x\r\n猫.png - ねこ\r\n"));
    EXPECT_EQ(Write(file, u"한.png", u"(a)"), std::nullopt) << "not in the code page";
}

// Each refusal is needed: the entry written plainly would not read back as written.
TEST(ListedChecks, NamesTheListCannotHold) {
    const struct {
        const char* codePage;
        const char16_t* name;
        NameProblem problem;
    } table[] = {
        {"CP1252", u"smile.gif", NameProblem::None},
        {"CP1252", u"a-b -.gif", NameProblem::None},
        {"CP932", u"表.gif", NameProblem::None},
        {"CP1252", u"a - b.gif", NameProblem::HyphenSpace},
        {"CP1252", u"a-", NameProblem::HyphenSpace},
        {"CP1252", u"表.gif", NameProblem::NotInCodePage},
        {"CP1252", u"---a.gif", NameProblem::SectionEnd},
        {"CP1252", u" a.gif", NameProblem::SpaceAtEnd},
        {"CP1252", u"a.gif ", NameProblem::SpaceAtEnd},
        {"CP1252", u"a\tb.gif", NameProblem::ControlCharacter},
        {"CP1252", u"a\rb.gif", NameProblem::ControlCharacter},
    };
    for (const auto& row : table) {
        const IconvCodePage codePage(row.codePage);
        const std::u16string name = row.name;
        EXPECT_EQ(CheckListedName(name), row.problem) << Utf8(name);
        const std::string plain = "---List---\r\n" + ToAnsi(name) + " - (x)\r\n";
        const bool readsBack = Listed(plain)[LowerCase(name)] == u"(x)";
        EXPECT_EQ(readsBack, row.problem == NameProblem::None) << Utf8(name);
        EXPECT_EQ(Write(std::nullopt, name, u"(x)").has_value(), row.problem == NameProblem::None)
            << Utf8(name);
    }
}

TEST(ListedChecks, TypedShortcuts) {
    const std::vector<std::u16string> sent = {u"(smile)", u"(wink)", u":-)"};
    const struct {
        const char* codePage;
        const char16_t* typed;
        ShortcutProblem problem;
    } table[] = {
        {"CP1252", u"", ShortcutProblem::None},  // back to the automatic one
        {"CP1252", u"x", ShortcutProblem::TooShort},
        {"CP1252", u"\U0001F600", ShortcutProblem::TooShort},  // one character, two units
        {"CP1252", u"xy", ShortcutProblem::None},
        {"CP1252", u"(abcde)", ShortcutProblem::None},
        {"CP1252", u"(abcdef)", ShortcutProblem::TooLong},
        {"CP932", u"(表表表表表)", ShortcutProblem::None},  // 7 characters, 12 bytes
        {"CP1252", u"a\tb", ShortcutProblem::ControlCharacter},
        {"CP1252", u"a\u0085", ShortcutProblem::ControlCharacter},
        {"CP1252", u" :)", ShortcutProblem::SpaceAtEnd},
        {"CP1252", u":) ", ShortcutProblem::SpaceAtEnd},
        {"CP1252", u"a- b", ShortcutProblem::None},
        {"CP1252", u"(表)", ShortcutProblem::NotInCodePage},
        {"CP1252", u"(wink)", ShortcutProblem::Taken},
        {"CP1252", u"(Wink)", ShortcutProblem::None},  // shortcuts differ by case
        {"CP1252", u"(smile)", ShortcutProblem::None},  // the picture's own
    };
    for (const auto& row : table) {
        const IconvCodePage codePage(row.codePage);
        EXPECT_EQ(CheckTypedShortcut(row.typed, 0, sent), row.problem) << Utf8(row.typed);
    }
}

}  // namespace
}  // namespace pimbrel::testing

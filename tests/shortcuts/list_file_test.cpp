// The list file reader: line ends, section rules and cleaning, reads in awkward pieces, and
// lists saved in double-byte code pages. A read error stops the run (see the run's ends).
#include <gtest/gtest.h>

#include <utility>

#include "text_fakes.h"

namespace pimbrel::testing {
namespace {

// Reads the text whole, one byte at a time (so that every CR LF is split across two reads)
// and in 7-byte pieces; all three must agree.
Entries Read(const std::string& text) {
    Entries entries[3];
    const std::size_t pieces[3] = {std::string::npos, 1, 7};
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(ReadEntries(text, pieces[k], entries[k]), ListFileResult::Read);
    }
    EXPECT_EQ(entries[1], entries[0]) << "read byte by byte";
    EXPECT_EQ(entries[2], entries[0]) << "read in pieces";
    return entries[0];
}

TEST(ListFile, LineEndsAndSections) {
    const std::string longShortcut(70000, 'q');  // longer than any one read
    const struct {
        const char* what;
        std::string file;
        Entries entries;
    } table[] = {
        {"example",
         "Emoticons for my friends\r\n---List---\r\nsmile.gif - :)\r\nWink.PNG\t - ;-)\r\n"
         "these are my favourites\r\n--- end ---\r\nwink.png - ;)\r\n"
         "---List---\r\ncool.jpg - B)\r\n",
         {{u"smile.gif", u":)"}, {u"Wink.PNG", u";-)"}, {u"cool.jpg", u"B)"}}},
        {"no section", "a.gif - :)\r\nb.gif - :(\r\n", {}},
        {"empty file", "", {}},
        {"only a CR", "\r", {}},
        {"CR alone ends lines", "---List---\ra - 1\rb - 2", {{u"a", u"1"}, {u"b", u"2"}}},
        {"last line without end", "---List---\r\na - 1", {{u"a", u"1"}}},
        {"CR at the very end", "---List---\r\na - 1\r", {{u"a", u"1"}}},
        {"lone LF stays in the line", "---List---\na - 1\r\n", {}},
        {"LF inside an entry", "---List---\r\na\n - 1\nx\r\n", {{u"a\n", u"1\nx"}}},
        {"CR CR gives an empty line", "---List---\r\r\na - 1\r\r", {{u"a", u"1"}}},
        {"LF after CR LF starts the next line", "---List---\r\n\na - 1\r\n", {{u"\na", u"1"}}},
        {"start line in other case", "---list---\r\na - 1\r\n", {}},
        {"start line with a space", "---List--- \r\na - 1\r\n", {}},
        {"near start line still ends", "---List---\r\na - 1\r\n---List--- \r\nb - 2\r\n",
         {{u"a", u"1"}}},
        {"start line reopens", "---List---\r\na - 1\r\n---List---\r\nb - 2\r\n",
         {{u"a", u"1"}, {u"b", u"2"}}},
        {"indented dashes do not end", "---List---\r\n ---\r\n\t--- x - 1\r\n",
         {{u"--", u"x - 1"}}},
        {"first hyphen-space splits", "---List---\r\nsmile.gif - :- )\r\n",
         {{u"smile.gif", u":- )"}}},
        {"hyphen without space", "---List---\r\na-b -c\r\n", {}},
        {"empty name", "---List---\r\n- :)\r\n", {{u"", u":)"}}},
        {"empty shortcut", "---List---\r\na - \t \t\r\n", {{u"a", u""}}},
        {"tabs removed, inner spaces kept", "---List---\r\n\t a\tb .gif\t-  x \t y \r\n",
         {{u"ab .gif", u"x  y"}}},
        {"dash line ends before its own entry", "---List---\r\n--- - x\r\n", {}},
        {"NUL bytes are text", std::string("---List---\r\na\0b - \0\r\n", 21),
         {{std::u16string(u"a\0b", 3), std::u16string(u"\0", 1)}}},
        {"a long line is read whole", "---List---\r\nbig.gif - " + longShortcut + "\r\nz - 9",
         {{u"big.gif", std::u16string(longShortcut.begin(), longShortcut.end())}, {u"z", u"9"}}},
    };
    for (const auto& row : table) EXPECT_EQ(Read(row.file), row.entries) << row.what;
}

// Lists saved in a double-byte code page: trail bytes that read as "\\", "_" or a capital
// are halves of characters, and each line is decoded whole.
TEST(ListFile, DoubleByteListIsReadByCharacter) {
    const struct {
        const char* codePage;
        const char16_t* line;
        std::string trail;  // bytes of the line that would mislead a byte-wise reader
        Entries entries;
    } table[] = {
        {"CP932", u"表.gif - (表)", "\x95\x5C.gif - (\x95\x5C)", {{u"表.gif", u"(表)"}}},
        {"CP932", u"\tソフト_猫.png\t- ソ", "\x83\x5C", {{u"ソフト_猫.png", u"ソ"}}},
        {"CP932", u"ダンス.gif - ダンス- ", "\x83\x5F", {{u"ダンス.gif", u"ダンス-"}}},
        {"CP932", u"アイ.GIF - (ア)", "\x83\x41", {{u"アイ.GIF", u"(ア)"}}},
        {"CP936", u"癬_乗.gif - (乗)", "\xB0\x5F\x5F\x81\x5C", {{u"癬_乗.gif", u"(乗)"}}},
        {"CP949", u"갂.png - 갂갂", "\x81\x41", {{u"갂.png", u"갂갂"}}},
        {"CP950", u"功夫.gif - (功)", "\xA5\x5C", {{u"功夫.gif", u"(功)"}}},
    };
    for (const auto& row : table) {
        const IconvCodePage codePage(row.codePage);
        const std::string file = ToAnsi(u"---List---\r\n" + std::u16string(row.line) + u"\r\n");
        ASSERT_NE(file.find(row.trail), std::string::npos) << row.codePage << ": real bytes";
        EXPECT_EQ(Read(file), row.entries) << row.codePage << " " << Utf8(row.line);
    }
}

}  // namespace
}  // namespace pimbrel::testing

// The list file reader: line ends, section rules, cleaning, and reads in awkward pieces;
// FindListIndex.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <utility>

#include "iconv_code_page.h"
#include "messenger/functions.h"
#include "platform/file_system.h"
#include "shortcuts/code_page.h"
#include "shortcuts/shortcuts.h"

namespace pimbrel {
namespace {

// Hands out the text in pieces of at most `piece` bytes; fails after `failAt` bytes.
class TextReader : public ByteReader {
public:
    TextReader(std::string text, std::size_t piece, std::size_t failAt = std::string::npos)
        : text_(std::move(text)), piece_(piece), failAt_(failAt) {}
    long Read(char* buffer, std::size_t size) override {
        if (offset_ >= failAt_) return -1;
        const std::size_t n = std::min({size, piece_, text_.size() - offset_});
        std::memcpy(buffer, text_.data() + offset_, n);
        offset_ += n;
        return static_cast<long>(n);
    }

private:
    std::string text_;
    std::size_t piece_;
    std::size_t failAt_;
    std::size_t offset_ = 0;
};

using Entries = std::vector<std::pair<std::u16string, std::u16string>>;

// Reads the text whole, one byte at a time and in 7-byte pieces; all three must agree.
Entries Read(const std::string& text) {
    Entries results[3];
    const std::size_t pieces[3] = {std::string::npos, 1, 7};
    for (int k = 0; k < 3; ++k) {
        TextReader reader(text, pieces[k]);
        const ListFileResult result =
            ReadListEntries(reader, [&](const std::u16string& name, const std::u16string& s) {
                results[k].emplace_back(name, s);
            });
        EXPECT_EQ(result, ListFileResult::Read);
    }
    EXPECT_EQ(results[1], results[0]) << "read byte by byte";
    EXPECT_EQ(results[2], results[0]) << "read in pieces";
    return results[0];
}

TEST(ListFile, ExampleFile) {
    const std::string file =
        "Emoticons for my friends\r\n"
        "---List---\r\n"
        "smile.gif - :)\r\n"
        "Wink.PNG\t - ;-)\r\n"
        "these are my favourites\r\n"
        "gone.gif - :x\r\n"
        "smile.gif - (sm)\r\n"
        "--- end ---\r\n"
        "wink.png - ;)\r\n"
        "---List---\r\n"
        "cool.jpg - B)\r\n";
    const Entries expected = {{u"smile.gif", u":)"},
                              {u"Wink.PNG", u";-)"},
                              {u"gone.gif", u":x"},
                              {u"smile.gif", u"(sm)"},
                              {u"cool.jpg", u"B)"}};
    EXPECT_EQ(Read(file), expected);

    // What the run does with them: look each up, later entries win, unknown names dropped.
    const std::vector<std::u16string> pictures = {u"cool.jpg", u"smile.gif", u"wink.png"};
    const LowerCaseNames list(pictures);
    std::vector<std::u16string> listed(pictures.size() + 1);
    for (const auto& [name, shortcut] : expected) {
        const std::int32_t at = FindListIndex(list, name);
        if (at != -1) listed.at(static_cast<std::size_t>(at)) = shortcut;
    }
    EXPECT_EQ(listed, (std::vector<std::u16string>{u"B)", u"(sm)", u";-)", u""}));
}

struct LineCase {
    const char* what;
    std::string file;
    Entries entries;
};

TEST(ListFile, LineEndsAndSections) {
    const std::vector<LineCase> table = {
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
        {"never closed", "---List---\r\n" + std::string(100, 'x') + "\r\nz - 9",
         {{u"z", u"9"}}},
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
    };
    for (const LineCase& row : table) {
        EXPECT_EQ(Read(row.file), row.entries) << row.what;
    }
}

TEST(ListFile, CrLfSplitAcrossReadsIsOneLineEnd) {
    // Every split point of a CR LF pair; an extra empty line would not show, so count lines
    // through an entry that only a correct split keeps intact.
    const std::string file = "---List---\r\na - 1\r\n\nb - 2\r\n";
    for (std::size_t piece = 1; piece <= file.size(); ++piece) {
        TextReader reader(file, piece);
        Entries got;
        ReadListEntries(reader, [&](const std::u16string& n, const std::u16string& s) {
            got.emplace_back(n, s);
        });
        EXPECT_EQ(got, (Entries{{u"a", u"1"}, {u"\nb", u"2"}})) << "piece " << piece;
    }
}

TEST(ListFile, BinaryBytesDoNotUpsetTheReader) {
    std::string file = "---List---\r\n";
    for (int i = 0; i < 4096; ++i) file += static_cast<char>((i * 131 + 7) & 0xFF);
    file += "\r\nlast.gif - ok";
    const Entries got = Read(file);
    ASSERT_FALSE(got.empty());
    EXPECT_EQ(got.back(), (Entries::value_type{u"last.gif", u"ok"}));
}

TEST(ListFile, ALongLineIsReadWhole) {
    const std::string shortcut(3 * 1000 * 1000, 'q');
    const std::string file = "---List---\r\nbig.gif - " + shortcut + "\r\n";
    TextReader reader(file, std::string::npos);
    Entries got;
    ReadListEntries(reader, [&](const std::u16string& n, const std::u16string& s) {
        got.emplace_back(n, s);
    });
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].first, u"big.gif");
    EXPECT_EQ(got[0].second, std::u16string(shortcut.size(), u'q'));
}

TEST(ListFile, ReadErrorIsReported) {
    const std::string file = "---List---\r\na - 1\r\nb - 2\r\n";
    TextReader failsAtOnce(file, 4, 0);
    EXPECT_EQ(ReadListEntries(failsAtOnce, [](const std::u16string&, const std::u16string&) {}),
              ListFileResult::ReadError);
    TextReader failsMidway(file, 4, 16);
    Entries got;
    EXPECT_EQ(ReadListEntries(failsMidway,
                              [&](const std::u16string& n, const std::u16string& s) {
                                  got.emplace_back(n, s);
                              }),
              ListFileResult::ReadError);
    // The unfinished line at the failure is not taken as an entry.
    EXPECT_TRUE(got.empty());
}

// A list saved in code page 932: trail bytes that read as "\\" (表 95 5C, ソ 83 5C), "_"
// (ダ 83 5F) and "A" (ア 83 41) are halves of characters, and each line is decoded whole.
TEST(ListFile, DoubleByteListIsReadByCharacter) {
    const testing::IconvCodePage cp932("CP932");
    const std::string file = ToAnsi(
        u"絵文字の一覧\r\n---List---\r\n表.gif - (表)\r\n\tソフト_猫.png\t- ソ\r\n"
        u"ダンス.gif - ダンス- \r\nアイ.GIF - (ア)\r\n---\r\n表.gif - 後\r\n");
    ASSERT_NE(file.find("\x95\x5C.gif - (\x95\x5C)"), std::string::npos) << "real CP932 bytes";
    const Entries entries = Read(file);
    EXPECT_EQ(entries, (Entries{{u"表.gif", u"(表)"},
                                {u"ソフト_猫.png", u"ソ"},
                                {u"ダンス.gif", u"ダンス-"},
                                {u"アイ.GIF", u"(ア)"}}));

    const std::vector<std::u16string> pictures = {u"アイ.gif", u"ソフト_猫.png", u"ダンス.gif",
                                                  u"表.gif", u"ｓｍｉｌｅ.png"};
    const LowerCaseNames list(pictures);
    for (const auto& [name, shortcut] : entries) {
        EXPECT_NE(FindListIndex(list, name), -1) << testing::Utf8(name);
    }
    // Letter case is the platform's: full-width capitals match too.
    EXPECT_EQ(FindListIndex(list, u"ＳＭＩＬＥ.PNG"), 4);
}

// The other double-byte code pages have such trail bytes too.
TEST(ListFile, TrailBytesThatReadAsAsciiInOtherDoubleBytePages) {
    struct Row {
        const char* codePage;
        const char16_t* name;
        const char16_t* shortcut;
        std::string trail;  // a character of the name in the code page's bytes
    };
    const Row rows[] = {
        {"CP936", u"癬_乗.gif", u"(乗)", "\xB0\x5F\x5F\x81\x5C"},  // "_" and "\"
        {"CP949", u"갂.png", u"갂갂", "\x81\x41"},                // "A": a capital
        {"CP950", u"功夫.gif", u"(功)", "\xA5\x5C"},              // "\"
    };
    for (const Row& row : rows) {
        const testing::IconvCodePage codePage(row.codePage);
        const std::string file = ToAnsi(u"---List---\r\n" + std::u16string(row.name) + u" - " +
                                        row.shortcut + u"\r\n");
        ASSERT_NE(file.find(row.trail), std::string::npos) << row.codePage;
        EXPECT_EQ(Read(file), (Entries{{row.name, row.shortcut}})) << row.codePage;
        const std::vector<std::u16string> pictures = {u"a.gif", UpperCase(row.name)};
        EXPECT_EQ(FindListIndex(LowerCaseNames(pictures), row.name), 1) << row.codePage;
    }
}

// The first position whose name matches when both are lower-cased; nothing else is loose.
TEST(FindListIndex, FirstMatchIgnoringCaseOnly) {
    const testing::IconvCodePage cp1252("CP1252");
    const LowerCaseNames list({u"smile.gif", u"wink.png", u"Wink.PNG", u" cool.jpg", u"A.GIF",
                               u"a.gif", u"", u"Été.gif"});
    const std::pair<std::u16string, std::int32_t> probes[] = {
        {u"WINK.png", 1},  {u"wink.PNG", 1}, {u"smile.gif", 0}, {u"SMILE.GIF", 0},
        {u"smile", -1},     // the extension is part of the name
        {u"cool.jpg", -1},  // no trimming
        {u" COOL.JPG", 3}, {u"a.gif", 4},    {u"A.gif", 4},     {u"", 6},
        {u"none", -1},     {u"été.gif", 7},  {u"ÉTé.GIF", 7}};
    for (const auto& [probe, position] : probes) {
        EXPECT_EQ(FindListIndex(list, probe), position) << testing::Utf8(probe);
    }
    EXPECT_EQ(FindListIndex(LowerCaseNames({}), u"smile.gif"), -1);
}

}  // namespace
}  // namespace pimbrel

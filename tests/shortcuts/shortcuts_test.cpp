// The shortcut rules: the automatic body of a file name, numbering, and the assignment stage
// against the literal substring search, in single-byte and double-byte code pages.
#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "text_fakes.h"

namespace pimbrel::testing {
namespace {

struct Derivation {
    const char* codePage;  // "": the built-in one, where only A-Z have case
    const char16_t* fileName;
    const char16_t* body;
};

TEST(MakeShortcut, GivesTheBodyOfTheFileName) {
    const Derivation table[] = {
        // worked examples
        {"", u"Happy Face.gif", u"hf"}, {"", u"big_grin_2.png", u"bg2"},
        {"", u"3D glasses.gif", u"3dg"}, {"", u"100 percent.png", u"100p"},
        {"", u"i am so very very happy.bmp", u"iasvv"}, {"", u"Cool (new).gif", u"cn"},
        {"", u"abc (de).gif", u"ad"}, {"", u"HappyFace (2).gif", u"h2"},
        {"", u"x-ray_2_go.gif", u"xr2g"}, {"", u"HappyFace.gif", u"hf"},
        {"", u"WinkFace2.gif", u"wf2"}, {"", u"oK.gif", u"k"}, {"", u"smile.jpg", u"smile"},
        {"", u"tongue.png", u"tongu"}, {"", u"Smile.jpg", u"Smile"},
        {"", u"SMILEY.gif", u"SMILE"}, {"", u"LOL.gif", u"LOL"}, {"", u"smile123.gif", u"sm123"},
        {"", u"smile100.gif", u"sm100"}, {"", u"smile12.gif", u"smi12"},
        {"", u"smile05.gif", u"smil5"}, {"", u"smile007.gif", u"smil7"},
        {"", u"smile0.gif", u"smil0"}, {"", u"ab12.gif", u"ab12"}, {"", u"x123.gif", u"x123"},
        {"", u"b1.5.gif", u"b1.5"}, {"", u"my.pic.gif", u"my.pi"}, {"", u"smile(2).gif", u"smile"},
        {"", u"a.gif", u"a"}, {"", u".gif", u""},
        // edge cases
        {"", u"Happy - Face.gif", u"h  f"},  // two empty words give two spaces
        {"", u"_smile.gif", u" s"}, {"", u"smile_.gif", u"s"}, {"", u"-.gif", u" "},
        {"", u"(a b.gif", u"(b"},            // only "(" occurs: kept
        {"", u"a )b.gif", u"a)"},            // only ")" occurs: kept
        {"", u"x(a.gif", u"x(a"},            // one word: parentheses never removed
        {"", u"pie1e5.gif", u"pie15"},       // 1e5 and e5 are no plain numbers
        {"", u"1234567.gif", u"12567"},      // digits only: not mixed case
        {"", u"1234056.gif", u"12356"},      // 056 is no plain number, 56 is
        {"", u"smile+12.gif", u"smi12"},     // the sign is no digit, 12 is plain
        {"", u"abcd5.gif", u"abcd5"}, {"", u"Smile12345.gif", u"Sm345"},
        {"", u"noext", u"noext"}, {"", u"a.b.c", u"a.b"}, {"", u"", u""},
        {"", u"word 12AB cd.gif", u"w12ab"},  // digit word taken whole, lowered, cut
        {"", u"a  b.gif", u"a b"}, {"", u"xY1.gif", u"y1"}, {"", u"ABCDE9.gif", u"ABCD9"},
        // the code page's letter case decides what is a capital
        {"", u"\u00C9tienneFace.gif", u"\u00C9f"}, {"CP1252", u"\u00C9tienneFace.gif", u"\u00E9f"},
        {"", u"\u00C9cole Rue.gif", u"\u00C9r"}, {"CP1252", u"\u00C9cole Rue.gif", u"\u00E9r"},
        // every rule counts characters, whatever their bytes: a trail byte of CP932 may read
        // as "\\" (ソ 83 5C), "_" (ダ 83 5F) or "X" (ス 83 58)
        {"CP932", u"スマイル.png", u"スマイル"}, {"CP932", u"笑顔 大きい.jpg", u"笑大"},
        {"CP932", u"ソフト_猫.png", u"ソ猫"}, {"CP932", u"ダンス_神.gif", u"ダ神"},
        {"CP932", u"ハートハートハート.gif", u"ハートハー"}, {"CP932", u"aスマ.png", u"aスマ"},
        {"CP932", u"哭_脸.jpg", u"哭脸"}, {"CP932", u"開心-笑臉.gif", u"開笑"},
        {"CP932", u"웃는 얼굴.png", u"웃얼"}, {"CP932", u"3D 笑顔.gif", u"3d笑"},
        {"CP932", u"笑顔 2号.gif", u"笑2号"}, {"CP932", u"스마일얼굴12.png", u"스마일12"},
        {"CP932", u"笑顔笑顔007.gif", u"笑顔笑顔7"},
        {"CP932", u"ＳｍｉｌｅＦａｃｅ.png", u"ｓｆ"},  // full-width letters have case
        {"CP932", u"𠮷野家 牛丼.png", u"𠮷牛"},  // a surrogate pair is one character
        {"CP932", u"𠮷𠮷𠮷𠮷𠮷𠮷.gif", u"𠮷𠮷𠮷𠮷𠮷"}, {"CP932", u"𠮷𠮷𠮷𠮷12.gif", u"𠮷𠮷𠮷12"},
    };
    for (const Derivation& row : table) {
        const auto codePage =
            *row.codePage ? std::make_unique<IconvCodePage>(row.codePage) : nullptr;
        EXPECT_EQ(MakeShortcut(row.fileName), row.body)
            << row.codePage << " " << Utf8(row.fileName);
    }
}

TEST(NumberShortcut, NumbersTheCurrentValueWithinFiveCharacters) {
    const std::vector<std::vector<std::u16string>> table = {
        // the shortcut, then what counters 2, 3, 4, ... make of it in turn
        {u"(abcde)", u"(abcd2)", u"(abcd3)"},
        {u"(ab)", u"(ab2)", u"(ab23)", u"(ab234)", u"(ab235)"},
        {u"()", u"(2)", u"(23)", u"(234)", u"(2345)", u"(23456)"},
        {u"(ハートハー)", u"(ハートハ2)", u"(ハートハ3)"},
        {u"(𠮷𠮷)", u"(𠮷𠮷2)", u"(𠮷𠮷23)", u"(𠮷𠮷234)", u"(𠮷𠮷235)"},
    };
    for (const auto& row : table) {
        std::u16string current = row[0];
        for (std::size_t k = 1; k < row.size(); ++k) {
            current = NumberShortcut(current, static_cast<std::int32_t>(k + 1));
            EXPECT_EQ(current, row[k]) << Utf8(row[0]) << " step " << k;
        }
    }
    EXPECT_EQ(NumberShortcut(u"(a)b)", 2), u"(a2)");  // cut at the first ")"
    for (const char16_t* unbracketed : {u"", u"(", u")", u"abc)", u"(abc", u":)"})
        EXPECT_EQ(NumberShortcut(unbracketed, 2), u"") << Utf8(unbracketed);
}

// Messenger takes seven characters at most: at each count of digits, a result that fits is
// the five-character one, and one character more of text is cut away.
TEST(NumberShortcut, NeverLongerThanSevenCharacters) {
    const struct {
        const char16_t* shortcut;
        std::int32_t number;
        const char16_t* numbered;
    } table[] = {
        {u"(abcde)", 9, u"(abcd9)"},
        {u"(abc9)", 10, u"(abc10)"}, {u"(abcd9)", 10, u"(abc10)"}, {u"(mc239)", 10, u"(mc210)"},
        {u"(ab99)", 100, u"(ab100)"}, {u"(abc99)", 100, u"(ab100)"}, {u"(mc299)", 100, u"(mc100)"},
        {u"(a999)", 1000, u"(a1000)"}, {u"(ab999)", 1000, u"(a1000)"},
        {u"()", 10000, u"(10000)"}, {u"(a)", 10000, u"(10000)"}, {u"(ab)", 32767, u"(32767)"},
        // cut by character: a surrogate pair is one, and stays whole
        {u"(𠮷𠮷𠮷)", 10, u"(𠮷𠮷𠮷10)"}, {u"(𠮷𠮷𠮷𠮷)", 10, u"(𠮷𠮷𠮷10)"},
        // no counter reaches six digits; such a number keeps the "(" all the same
        {u"(ab)", 100000, u"(100000)"},
    };
    for (const auto& row : table)
        EXPECT_EQ(NumberShortcut(row.shortcut, row.number), row.numbered)
            << Utf8(row.shortcut) << " " << row.number;
}

TEST(AssignShortcuts, WorkedRunsInBothStages) {
    struct Run {
        std::vector<std::u16string> pictures;
        std::vector<std::u16string> shortcuts;
        std::uint64_t passes;  // numbering steps
    };
    const Run runs[] = {
        {{u"smile.gif", u"Smile.png", u"smile.jpg"}, {u"(smile)", u"(Smile)", u"(smil2)"}, 1},
        {{u"happy face.gif", u"hungry fox.png", u"Happy_Fish.gif", u"HeFe.jpg"},
         {u"(hf)", u"(hf2)", u"(hf23)", u"(hf234)"}, 0 + 1 + 2 + 3},
        {{u"ab.gif", u"ab.png", u"ab.jpg", u"ab2.gif"},
         {u"(ab)", u"(ab2)", u"(ab23)", u"(ab22)"}, 4},
        {{u"cool.gif", u"cool2.gif", u"cool.png"}, {u"(cool)", u"(cool2)", u"(cool3)"}, 2},
        {{u"a b c d e f.gif", u"a b c d e g.gif"}, {u"(abcde)", u"(abcd2)"}, 1},
        {{u".gif", u".png"}, {u"()", u"(2)"}, 1},
        {{u"x(a.gif", u"a.gif"}, {u"(x(a)", u"(a2)"}, 1},
        {{}, {}, 0},
        // case differs: no collision; a one-character body numbers like the empty one
        {{u"LOL.gif", u"lol.gif", u"Lol.gif", u"lol.png"},
         {u"(LOL)", u"(lol)", u"(Lol)", u"(lol2)"}, 1},
        {{u"a.gif", u"a.png", u"a.jpg", u"a.bmp"}, {u"(a)", u"(a2)", u"(a23)", u"(a234)"}, 6},
        // (b) is a suffix of (ab(b) only: the line holds "(b)" right before its CR LF
        {{u"ab(b.gif", u"b.gif", u"b(c.gif", u"c.gif"}, {u"(ab(b)", u"(b2)", u"(b(c)", u"(c2)"}, 2},
        {{u"笑顔 大きい.jpg", u"笑う 大人.png", u"笑大.gif", u"ハートハートハート.gif",
          u"ハートハートハー.png"},
         {u"(笑大)", u"(笑大2)", u"(笑大23)", u"(ハートハー)", u"(ハートハ2)"}, 4},
    };
    for (const Run& run : runs) {
        std::u16string lines;
        for (const std::u16string& s : run.shortcuts) lines += s + u"\r\n";
        std::vector<std::u16string> table = run.shortcuts;
        table.push_back(u"");  // the spare entry stays empty
        for (const Assigned& got : {Assign(&AssignShortcuts, run.pictures),
                                    Assign(&AssignShortcutsLiteral, run.pictures)}) {
            EXPECT_EQ(got.table, table) << Utf8(lines);
            EXPECT_EQ(got.used, lines);
            EXPECT_EQ(got.passes, run.passes) << Utf8(lines);
        }
    }
}

void ExpectStagesAgree(const std::vector<std::u16string>& names) {
    const Assigned fast = Assign(&AssignShortcuts, names);
    const Assigned literal = Assign(&AssignShortcutsLiteral, names);
    EXPECT_EQ(fast.table, literal.table);
    EXPECT_EQ(fast.used, literal.used);
    EXPECT_EQ(fast.passes, literal.passes);
}

// Twelve pictures of one body, as in a pack whose names share a prefix (msn_car.gif,
// msn_cat.png, ... all (mc)): every shortcut differs from the others and Messenger takes each.
// The fast stage resumes each numbering where the one before stopped, past ten.
TEST(AssignShortcuts, TwelveOfOneBodyAllDifferAndFit) {
    for (const std::u16string body : {u"a", u"mc", u"abc", u"abcd", u"abcde", u"𠮷𠮷𠮷"}) {
        std::vector<std::u16string> names;
        for (int i = 0; i < 12; ++i) names.push_back(body + U16("." + std::to_string(i)));
        const Assigned got = Assign(&AssignShortcuts, names);
        const std::set<std::u16string> distinct(got.table.begin(), got.table.end() - 1);
        EXPECT_EQ(distinct.size(), names.size()) << Utf8(got.used);
        for (const std::u16string& shortcut : distinct)
            EXPECT_LE(CharacterCount(shortcut), kLongestShortcut) << Utf8(shortcut);
        ExpectStagesAgree(names);
    }
}

// The line "((c)" CR LF ")" holds "(c)" CR LF, which is no suffix of a line: the fast stage's
// reasoning does not hold, and it must notice. The fuzz target compares the two stages on
// any names.
TEST(AssignShortcuts, FastStageAgreesWithTheLiteralSearch) {
    ExpectStagesAgree({u"(c)\r\n", u"c.gif", u"a\r\nb", u"a\r\nb", u"b"});
}

}  // namespace
}  // namespace pimbrel::testing

// MakeShortcut against the worked examples and the edge cases that trip real code, in
// single-byte and double-byte code pages.
#include <gtest/gtest.h>

#include "iconv_code_page.h"
#include "shortcuts/characters.h"
#include "shortcuts/shortcuts.h"

namespace pimbrel {
namespace {

struct Derivation {
    const char16_t* fileName;
    const char16_t* body;
};

class MakeShortcutTest : public ::testing::TestWithParam<Derivation> {};

TEST_P(MakeShortcutTest, GivesTheBody) {
    EXPECT_EQ(MakeShortcut(GetParam().fileName), GetParam().body)
        << testing::Utf8(GetParam().fileName);
}

INSTANTIATE_TEST_SUITE_P(WorkedExamples, MakeShortcutTest, ::testing::Values(
    Derivation{u"Happy Face.gif", u"hf"},
    Derivation{u"big_grin_2.png", u"bg2"},
    Derivation{u"3D glasses.gif", u"3dg"},
    Derivation{u"100 percent.png", u"100p"},
    Derivation{u"i am so very very happy.bmp", u"iasvv"},
    Derivation{u"Cool (new).gif", u"cn"},
    Derivation{u"abc (de).gif", u"ad"},
    Derivation{u"HappyFace (2).gif", u"h2"},
    Derivation{u"x-ray_2_go.gif", u"xr2g"},
    Derivation{u"HappyFace.gif", u"hf"},
    Derivation{u"WinkFace2.gif", u"wf2"},
    Derivation{u"oK.gif", u"k"},
    Derivation{u"smile.jpg", u"smile"},
    Derivation{u"tongue.png", u"tongu"},
    Derivation{u"Smile.jpg", u"Smile"},
    Derivation{u"SMILEY.gif", u"SMILE"},
    Derivation{u"LOL.gif", u"LOL"},
    Derivation{u"smile123.gif", u"sm123"},
    Derivation{u"smile100.gif", u"sm100"},
    Derivation{u"smile12.gif", u"smi12"},
    Derivation{u"smile05.gif", u"smil5"},
    Derivation{u"smile007.gif", u"smil7"},
    Derivation{u"smile0.gif", u"smil0"},
    Derivation{u"ab12.gif", u"ab12"},
    Derivation{u"x123.gif", u"x123"},
    Derivation{u"b1.5.gif", u"b1.5"},
    Derivation{u"my.pic.gif", u"my.pi"},
    Derivation{u"smile(2).gif", u"smile"},
    Derivation{u"a.gif", u"a"},
    Derivation{u".gif", u""}));

INSTANTIATE_TEST_SUITE_P(EdgeCases, MakeShortcutTest, ::testing::Values(
    Derivation{u"Happy - Face.gif", u"h  f"},        // two empty words give two spaces
    Derivation{u"_smile.gif", u" s"},                // leading separator
    Derivation{u"smile_.gif", u"s"},                 // empty last word adds nothing
    Derivation{u"(a b.gif", u"(b"},                  // only "(" occurs: kept
    Derivation{u"a )b.gif", u"a)"},                  // only ")" occurs: kept
    Derivation{u"x(a.gif", u"x(a"},                  // one word: parentheses never removed
    Derivation{u"pie1e5.gif", u"pie15"},             // 1e5 and e5 are no plain numbers
    Derivation{u"1234567.gif", u"12567"},            // digits only: not mixed case
    Derivation{u"1234056.gif", u"12356"},            // 056 is no plain number, 56 is
    Derivation{u"smile+12.gif", u"smi12"},           // the sign is no digit, 12 is plain
    Derivation{u"abcd5.gif", u"abcd5"},              // exactly five, trailing rule
    Derivation{u"Smile12345.gif", u"Sm345"},         // capitalised keeps its case
    Derivation{u"noext", u"noext"},                  // no dot: name stays whole
    Derivation{u"a.b.c", u"a.b"},                    // only the last extension goes
    Derivation{u"", u""},
    Derivation{u"word 12AB cd.gif", u"w12ab"},       // digit word taken whole, lowered, cut
    Derivation{u"Big Grin.gif", u"bg"},              // several words lower their initials
    Derivation{u"a  b.gif", u"a b"},                 // double space
    Derivation{u"-.gif", u" "},                      // one separator: empty first word
    Derivation{u"xY1.gif", u"y1"},                   // mixed: digit collected, lower skipped
    Derivation{u"ABCDE9.gif", u"ABCD9"},             // upper case with one trailing digit
    Derivation{u"abcde.png", u"abcde"}));            // five letters, no digit

// Japanese, Chinese and Korean names: every rule counts characters, whatever their bytes
// in the code page (a trail byte of CP932 may read as "\\", "_", "X" or "C"). Letter case
// is the platform's, which knows full-width letters.
class DoubleByteTest : public MakeShortcutTest {
protected:
    testing::IconvCodePage codePage{"CP932"};
};

TEST_P(DoubleByteTest, GivesTheBody) {
    EXPECT_EQ(MakeShortcut(GetParam().fileName), GetParam().body)
        << testing::Utf8(GetParam().fileName);
}

INSTANTIATE_TEST_SUITE_P(Rows, DoubleByteTest, ::testing::Values(
    Derivation{u"スマイル.png", u"スマイル"},             // cut by characters, not bytes
    Derivation{u"笑顔 大きい.jpg", u"笑大"},               // initials are whole characters
    Derivation{u"ソフト_猫.png", u"ソ猫"},                 // ソ is 83 5C in CP932
    Derivation{u"ダンス_神.gif", u"ダ神"},                 // ダ is 83 5F: no separator
    Derivation{u"ハートハートハート.gif", u"ハートハー"},
    Derivation{u"表.gif", u"表"},
    Derivation{u"aスマ.png", u"aスマ"},                   // ス is 83 58: no capital X
    Derivation{u"大 笑.gif", u"大笑"},
    Derivation{u"哭_脸.jpg", u"哭脸"},
    Derivation{u"開心-笑臉.gif", u"開笑"},
    Derivation{u"웃는 얼굴.png", u"웃얼"},
    Derivation{u"3D 笑顔.gif", u"3d笑"},                 // a digit word is taken whole
    Derivation{u"笑顔 2号.gif", u"笑2号"},                // a digit word with a CJK tail
    Derivation{u"스마일얼굴12.png", u"스마일12"},          // trailing plain number
    Derivation{u"행복123.gif", u"행복123"},
    Derivation{u"笑顔笑顔007.gif", u"笑顔笑顔7"},
    Derivation{u"ＳｍｉｌｅＦａｃｅ.png", u"ｓｆ"},        // full-width letters have case
    Derivation{u"𠮷野家 牛丼.png", u"𠮷牛"},              // a surrogate pair is one character
    Derivation{u"𠮷𠮷𠮷𠮷𠮷𠮷.gif", u"𠮷𠮷𠮷𠮷𠮷"},
    Derivation{u"𠮷𠮷𠮷𠮷12.gif", u"𠮷𠮷𠮷12"}));

TEST(CaseSeam, TheCodePagesCaseDecidesWhatIsALetter) {
    {
        // With the platform's case the accented capital counts as a capital ...
        const testing::IconvCodePage cp1252("CP1252");
        EXPECT_EQ(MakeShortcut(u"\u00C9tienneFace.gif"), u"\u00E9f");
        EXPECT_EQ(MakeShortcut(u"\u00C9cole Rue.gif"), u"\u00E9r");
    }
    // ... and with ASCII alone it is a character without case, which is collected as is.
    EXPECT_EQ(MakeShortcut(u"\u00C9tienneFace.gif"), u"\u00C9f");
    EXPECT_EQ(MakeShortcut(u"\u00C9cole Rue.gif"), u"\u00C9r");
}

TEST(Characters, APairIsNeverSplit) {
    const std::u16string text = u"a𠮷b\xD800" u"c\xDC00" u"𠮷";  // a lone surrogate counts one
    EXPECT_EQ(CharacterCount(text), 7u);
    EXPECT_EQ(FirstCharacters(text, 2), u"a𠮷");
    EXPECT_EQ(FirstCharacters(text, 4), u"a𠮷b\xD800");
    EXPECT_EQ(LastCharacters(text, 1), u"𠮷");
    EXPECT_EQ(LastCharacters(text, 3), u"c\xDC00" u"𠮷");
    EXPECT_EQ(LastCharacters(text, 9), text);
}

}  // namespace
}  // namespace pimbrel

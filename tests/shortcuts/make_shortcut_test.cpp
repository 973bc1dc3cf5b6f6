// MakeShortcut against the worked examples and the edge cases that trip real code.
#include <gtest/gtest.h>

#include "shortcuts/shortcuts.h"
#include "shortcuts/text_case.h"

namespace pimbrel {
namespace {

struct Derivation {
    const char* fileName;
    const char* body;
};

class MakeShortcutTest : public ::testing::TestWithParam<Derivation> {};

TEST_P(MakeShortcutTest, GivesTheBody) {
    EXPECT_EQ(MakeShortcut(GetParam().fileName), GetParam().body) << GetParam().fileName;
}

INSTANTIATE_TEST_SUITE_P(WorkedExamples, MakeShortcutTest, ::testing::Values(
    Derivation{"Happy Face.gif", "hf"},
    Derivation{"big_grin_2.png", "bg2"},
    Derivation{"3D glasses.gif", "3dg"},
    Derivation{"100 percent.png", "100p"},
    Derivation{"i am so very very happy.bmp", "iasvv"},
    Derivation{"Cool (new).gif", "cn"},
    Derivation{"abc (de).gif", "ad"},
    Derivation{"HappyFace (2).gif", "h2"},
    Derivation{"x-ray_2_go.gif", "xr2g"},
    Derivation{"HappyFace.gif", "hf"},
    Derivation{"WinkFace2.gif", "wf2"},
    Derivation{"oK.gif", "k"},
    Derivation{"smile.jpg", "smile"},
    Derivation{"tongue.png", "tongu"},
    Derivation{"Smile.jpg", "Smile"},
    Derivation{"SMILEY.gif", "SMILE"},
    Derivation{"LOL.gif", "LOL"},
    Derivation{"smile123.gif", "sm123"},
    Derivation{"smile100.gif", "sm100"},
    Derivation{"smile12.gif", "smi12"},
    Derivation{"smile05.gif", "smil5"},
    Derivation{"smile007.gif", "smil7"},
    Derivation{"smile0.gif", "smil0"},
    Derivation{"ab12.gif", "ab12"},
    Derivation{"x123.gif", "x123"},
    Derivation{"b1.5.gif", "b1.5"},
    Derivation{"my.pic.gif", "my.pi"},
    Derivation{"smile(2).gif", "smile"},
    Derivation{"a.gif", "a"},
    Derivation{".gif", ""}));

INSTANTIATE_TEST_SUITE_P(EdgeCases, MakeShortcutTest, ::testing::Values(
    Derivation{"Happy - Face.gif", "h  f"},        // two empty words give two spaces
    Derivation{"_smile.gif", " s"},                // leading separator
    Derivation{"smile_.gif", "s"},                 // empty last word adds nothing
    Derivation{"(a b.gif", "(b"},                  // only "(" occurs: kept
    Derivation{"a )b.gif", "a)"},                  // only ")" occurs: kept
    Derivation{"x(a.gif", "x(a"},                  // one word: parentheses never removed
    Derivation{"pie1e5.gif", "pie15"},             // 1e5 and e5 are no plain numbers
    Derivation{"1234567.gif", "12567"},            // digits only: not mixed case
    Derivation{"1234056.gif", "12356"},            // 056 is no plain number, 56 is
    Derivation{"smile+12.gif", "smi12"},           // the sign is no digit, 12 is plain
    Derivation{"abcd5.gif", "abcd5"},              // exactly five, trailing rule
    Derivation{"Smile12345.gif", "Sm345"},         // capitalised keeps its case
    Derivation{"noext", "noext"},                  // no dot: name stays whole
    Derivation{"a.b.c", "a.b"},                    // only the last extension goes
    Derivation{"", ""},
    Derivation{"word 12AB cd.gif", "w12ab"},       // digit word taken whole, lowered, cut
    Derivation{"Big Grin.gif", "bg"},              // several words lower their initials
    Derivation{"a  b.gif", "a b"},                 // double space
    Derivation{"-.gif", " "},                      // one separator: empty first word
    Derivation{"xY1.gif", "y1"},                   // mixed: digit collected, lower skipped
    Derivation{"ABCDE9.gif", "ABCD9"},             // upper case with one trailing digit
    Derivation{"abcde.png", "abcde"}));            // five letters, no digit

// A conversion that knows one letter beyond ASCII, as a code page would: e-acute.
class LatinOneCase : public CaseConversion {
public:
    void ToUpper(std::string& text) const override {
        for (char& c : text) {
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
            if (c == '\xE9') c = '\xC9';
        }
    }
    void ToLower(std::string& text) const override {
        for (char& c : text) {
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
            if (c == '\xC9') c = '\xE9';
        }
    }
};

TEST(CaseSeam, DefaultLeavesBytesBeyondAsciiAlone) {
    EXPECT_EQ(UpperCase("a\xE9z"), "A\xE9Z");
    EXPECT_EQ(LowerCase("A\xC9Z"), "a\xC9z");
}

TEST(CaseSeam, InstalledConversionDecidesWhatIsALetter) {
    LatinOneCase latin;
    SetCaseConversion(&latin);
    // With the code page's rules the accented capital counts as a capital ...
    EXPECT_EQ(MakeShortcut("\xC9tienneFace.gif"), "\xE9" "f");
    EXPECT_EQ(MakeShortcut("\xC9" "cole Rue.gif"), "\xE9r");
    SetCaseConversion(nullptr);
    // ... and with ASCII alone it is a character without case, which is collected as is.
    EXPECT_EQ(MakeShortcut("\xC9tienneFace.gif"), "\xC9" "f");
    EXPECT_EQ(MakeShortcut("\xC9" "cole Rue.gif"), "\xC9r");
}

}  // namespace
}  // namespace pimbrel

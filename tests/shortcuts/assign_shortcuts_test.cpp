// NumberShortcut and the assignment stage: worked runs, pass counts, and the fast stage
// against the literal substring search.
#include <gtest/gtest.h>

#include <iterator>
#include <random>

#include "iconv_code_page.h"
#include "shortcuts/shortcuts.h"

namespace pimbrel {
namespace {

class CountingPasses : public PassCounter {
public:
    void CountPass() override { ++passes; }
    std::uint64_t passes = 0;
};

struct Numbering {
    const char16_t* first;
    std::vector<std::u16string> steps;  // counter 2, 3, 4, ...
};

TEST(NumberShortcut, EachStepNumbersTheCurrentValue) {
    const std::vector<Numbering> table = {
        {u"(abcd)", {u"(abcd2)", u"(abcd3)", u"(abcd4)", u"(abcd5)", u"(abcd6)"}},
        {u"(abcde)", {u"(abcd2)", u"(abcd3)", u"(abcd4)", u"(abcd5)", u"(abcd6)"}},
        {u"(abc)", {u"(abc2)", u"(abc23)", u"(abc24)", u"(abc25)", u"(abc26)"}},
        {u"(ab)", {u"(ab2)", u"(ab23)", u"(ab234)", u"(ab235)", u"(ab236)"}},
        {u"()", {u"(2)", u"(23)", u"(234)", u"(2345)", u"(23456)"}},
        // cut by characters: five of them, a pair being one
        {u"(ハートハー)", {u"(ハートハ2)", u"(ハートハ3)"}},
        {u"(笑大)", {u"(笑大2)", u"(笑大23)", u"(笑大234)", u"(笑大235)"}},
        {u"(𠮷𠮷)", {u"(𠮷𠮷2)", u"(𠮷𠮷23)", u"(𠮷𠮷234)", u"(𠮷𠮷235)"}},
    };
    for (const Numbering& row : table) {
        std::u16string current = row.first;
        for (std::size_t k = 0; k < row.steps.size(); ++k) {
            current = NumberShortcut(current, static_cast<std::int32_t>(k + 2));
            EXPECT_EQ(current, row.steps[k]) << testing::Utf8(row.first) << " step " << k + 2;
        }
    }
}

TEST(NumberShortcut, NeedsBothParentheses) {
    EXPECT_EQ(NumberShortcut(u"()", 2), u"(2)");
    EXPECT_EQ(NumberShortcut(u"(a)b)", 2), u"(a2)");  // cut at the first ")"
    EXPECT_EQ(NumberShortcut(u"(abcd)", 32767), u"(abcd32767)");
    EXPECT_EQ(NumberShortcut(u"", 2), u"");
    EXPECT_EQ(NumberShortcut(u"(", 2), u"");
    EXPECT_EQ(NumberShortcut(u")", 2), u"");
    EXPECT_EQ(NumberShortcut(u"abc)", 2), u"");
    EXPECT_EQ(NumberShortcut(u"(abc", 2), u"");
    EXPECT_EQ(NumberShortcut(u":)", 2), u"");
}

struct Run {
    std::vector<std::u16string> pictures;
    std::vector<std::u16string> shortcuts;
};

std::u16string Lines(const std::vector<std::u16string>& shortcuts) {
    std::u16string text;
    for (const std::u16string& s : shortcuts) text += s + u"\r\n";
    return text;
}

std::vector<Run> WholeRuns() {
    return {
        {{u"smile.gif", u"Smile.png", u"smile.jpg"}, {u"(smile)", u"(Smile)", u"(smil2)"}},
        {{u"happy face.gif", u"hungry fox.png", u"Happy_Fish.gif", u"HeFe.jpg"},
         {u"(hf)", u"(hf2)", u"(hf23)", u"(hf234)"}},
        {{u"ab.gif", u"ab.png", u"ab.jpg", u"ab2.gif"},
         {u"(ab)", u"(ab2)", u"(ab23)", u"(ab22)"}},
        {{u"cool.gif", u"cool2.gif", u"cool.png"}, {u"(cool)", u"(cool2)", u"(cool3)"}},
        {{u"a b c d e f.gif", u"a b c d e g.gif"}, {u"(abcde)", u"(abcd2)"}},
        {{u".gif", u".png"}, {u"()", u"(2)"}},
        {{u"x(a.gif", u"a.gif"}, {u"(x(a)", u"(a2)"}},
        {{}, {}},
        // case differs: no collision; a one-character body numbers like the empty one
        {{u"LOL.gif", u"lol.gif", u"Lol.gif", u"lol.png"},
         {u"(LOL)", u"(lol)", u"(Lol)", u"(lol2)"}},
        {{u"a.gif", u"a.png", u"a.jpg", u"a.bmp"}, {u"(a)", u"(a2)", u"(a23)", u"(a234)"}},
        // (b) is a suffix of (ab(b) only: the line holds "(b)" right before its CR LF
        {{u"ab(b.gif", u"b.gif", u"b(c.gif", u"c.gif"}, {u"(ab(b)", u"(b2)", u"(b(c)", u"(c2)"}},
        // the same rules by character
        {{u"笑顔 大きい.jpg", u"笑う 大人.png", u"笑大.gif", u"ハートハートハート.gif",
          u"ハートハートハー.png"},
         {u"(笑大)", u"(笑大2)", u"(笑大23)", u"(ハートハー)", u"(ハートハ2)"}},
    };
}

using Stage = void (*)(const std::vector<std::u16string>&, std::vector<std::u16string>&,
                       std::u16string&, PassCounter&);

void CheckWholeRuns(Stage stage) {
    for (const Run& run : WholeRuns()) {
        std::vector<std::u16string> table(run.pictures.size() + 1);
        std::u16string used;
        CountingPasses counter;
        stage(run.pictures, table, used, counter);
        std::vector<std::u16string> expected = run.shortcuts;
        expected.push_back(u"");  // the spare entry stays empty
        EXPECT_EQ(table, expected) << run.pictures.size() << " pictures";
        EXPECT_EQ(used, Lines(run.shortcuts));
    }
}

TEST(AssignShortcuts, WorkedRuns) { CheckWholeRuns(&AssignShortcuts); }
TEST(AssignShortcutsLiteral, WorkedRuns) { CheckWholeRuns(&AssignShortcutsLiteral); }

TEST(AssignShortcuts, CountsEveryNumberingStep) {
    // hf: 0 + 1 + 2 + 3 steps; cool.png tries (cool2) then (cool3): 2 steps
    std::vector<std::u16string> names = {u"happy face.gif", u"hungry fox.png",
                                         u"Happy_Fish.gif", u"HeFe.jpg",
                                         u"cool.gif",       u"cool2.gif",
                                         u"cool.png"};
    std::vector<std::u16string> table(names.size() + 1);
    std::u16string used;
    CountingPasses counter;
    AssignShortcuts(names, table, used, counter);
    EXPECT_EQ(counter.passes, 0u + 1 + 2 + 3 + 0 + 0 + 2);
}

TEST(AssignShortcuts, ResumedNumberingCountsTheSkippedSteps) {
    std::vector<std::u16string> names(200, u"Same.gif");
    std::vector<std::u16string> fast(names.size() + 1), literal(names.size() + 1);
    std::u16string usedFast, usedLiteral;
    CountingPasses fastPasses, literalPasses;
    AssignShortcuts(names, fast, usedFast, fastPasses);
    AssignShortcutsLiteral(names, literal, usedLiteral, literalPasses);
    EXPECT_EQ(fast, literal);
    EXPECT_EQ(fastPasses.passes, literalPasses.passes);
    EXPECT_EQ(fastPasses.passes, 199u * 200u / 2u);
}

// Names built from a tiny alphabet collide often and reach every rule, including the
// "(" that makes a later shortcut count as used, and characters of one and two code units.
std::u16string RandomName(std::mt19937& random) {
    static const char16_t* const alphabet[] = {u"a", u"A", u"b", u"B", u"(", u"(", u")",
                                               u")", u" ", u"_", u"-", u".", u"1", u"2",
                                               u"0", u"9", u"0", u"表", u"𠮷"};
    std::uniform_int_distribution<int> length(0, 9);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(alphabet) - 1);
    std::u16string name;
    for (int n = length(random); n > 0; --n) name += alphabet[pick(random)];
    return name;
}

TEST(AssignShortcuts, MatchesTheLiteralSearchOnRandomNames) {
    std::mt19937 random(20240611);
    for (int round = 0; round < 300; ++round) {
        std::vector<std::u16string> names(1 + round % 60);
        for (std::u16string& name : names) name = RandomName(random);
        std::vector<std::u16string> fast(names.size() + 1), literal(names.size() + 1);
        std::u16string usedFast, usedLiteral;
        CountingPasses fastPasses, literalPasses;
        AssignShortcuts(names, fast, usedFast, fastPasses);
        AssignShortcutsLiteral(names, literal, usedLiteral, literalPasses);
        ASSERT_EQ(fast, literal) << "round " << round;
        ASSERT_EQ(usedFast, usedLiteral);
        ASSERT_EQ(fastPasses.passes, literalPasses.passes);
    }
}

TEST(AssignShortcuts, NamesWithLineBreaksFollowTheLiteralSearch) {
    // "(a" CR LF "b)" CR LF holds "b)" CR LF and more: suffix reasoning would not hold.
    std::vector<std::u16string> names = {u"a\r\nb", u"a\r\nb", u"b", u"\n"};
    std::vector<std::u16string> fast(names.size() + 1), literal(names.size() + 1);
    std::u16string usedFast, usedLiteral;
    CountingPasses fastPasses, literalPasses;
    AssignShortcuts(names, fast, usedFast, fastPasses);
    AssignShortcutsLiteral(names, literal, usedLiteral, literalPasses);
    EXPECT_EQ(fast, literal);
    EXPECT_EQ(usedFast, usedLiteral);
    EXPECT_EQ(fastPasses.passes, literalPasses.passes);
}

TEST(AssignShortcuts, ATooSmallTableIsAnError) {
    std::vector<std::u16string> names = {u"a.gif", u"b.gif"};
    std::vector<std::u16string> table(1);
    std::u16string used;
    CountingPasses counter;
    EXPECT_THROW(AssignShortcuts(names, table, used, counter), std::out_of_range);
}

}  // namespace
}  // namespace pimbrel

// NumberShortcut and the assignment stage: worked runs, pass counts, and the fast stage
// against the literal substring search.
#include <gtest/gtest.h>

#include <random>

#include "shortcuts/shortcuts.h"

namespace pimbrel {
namespace {

class CountingPasses : public PassCounter {
public:
    void CountPass() override { ++passes; }
    std::uint64_t passes = 0;
};

struct Numbering {
    const char* first;
    std::vector<std::string> steps;  // counter 2, 3, 4, ...
};

TEST(NumberShortcut, EachStepNumbersTheCurrentValue) {
    const std::vector<Numbering> table = {
        {"(abcd)", {"(abcd2)", "(abcd3)", "(abcd4)", "(abcd5)", "(abcd6)"}},
        {"(abcde)", {"(abcd2)", "(abcd3)", "(abcd4)", "(abcd5)", "(abcd6)"}},
        {"(abc)", {"(abc2)", "(abc23)", "(abc24)", "(abc25)", "(abc26)"}},
        {"(ab)", {"(ab2)", "(ab23)", "(ab234)", "(ab235)", "(ab236)"}},
        {"()", {"(2)", "(23)", "(234)", "(2345)", "(23456)"}},
    };
    for (const Numbering& row : table) {
        std::string current = row.first;
        for (std::size_t k = 0; k < row.steps.size(); ++k) {
            current = NumberShortcut(current, static_cast<std::int32_t>(k + 2));
            EXPECT_EQ(current, row.steps[k]) << row.first << " step " << k + 2;
        }
    }
}

TEST(NumberShortcut, NeedsBothParentheses) {
    EXPECT_EQ(NumberShortcut("()", 2), "(2)");
    EXPECT_EQ(NumberShortcut("(a)b)", 2), "(a2)");  // cut at the first ")"
    EXPECT_EQ(NumberShortcut("(abcd)", 32767), "(abcd32767)");
    EXPECT_EQ(NumberShortcut("", 2), "");
    EXPECT_EQ(NumberShortcut("(", 2), "");
    EXPECT_EQ(NumberShortcut(")", 2), "");
    EXPECT_EQ(NumberShortcut("abc)", 2), "");
    EXPECT_EQ(NumberShortcut("(abc", 2), "");
    EXPECT_EQ(NumberShortcut(":)", 2), "");
}

struct Run {
    std::vector<std::string> pictures;
    std::vector<std::string> shortcuts;
};

std::string Lines(const std::vector<std::string>& shortcuts) {
    std::string text;
    for (const std::string& s : shortcuts) text += s + "\r\n";
    return text;
}

std::vector<Run> WholeRuns() {
    return {
        {{"smile.gif", "Smile.png", "smile.jpg"}, {"(smile)", "(Smile)", "(smil2)"}},
        {{"happy face.gif", "hungry fox.png", "Happy_Fish.gif", "HeFe.jpg"},
         {"(hf)", "(hf2)", "(hf23)", "(hf234)"}},
        {{"ab.gif", "ab.png", "ab.jpg", "ab2.gif"}, {"(ab)", "(ab2)", "(ab23)", "(ab22)"}},
        {{"cool.gif", "cool2.gif", "cool.png"}, {"(cool)", "(cool2)", "(cool3)"}},
        {{"a b c d e f.gif", "a b c d e g.gif"}, {"(abcde)", "(abcd2)"}},
        {{".gif", ".png"}, {"()", "(2)"}},
        {{"x(a.gif", "a.gif"}, {"(x(a)", "(a2)"}},
        {{}, {}},
        // case differs: no collision; a one-character body numbers like the empty one
        {{"LOL.gif", "lol.gif", "Lol.gif", "lol.png"}, {"(LOL)", "(lol)", "(Lol)", "(lol2)"}},
        {{"a.gif", "a.png", "a.jpg", "a.bmp"}, {"(a)", "(a2)", "(a23)", "(a234)"}},
        // (b) is a suffix of (ab(b) only: the line holds "(b)" right before its CR LF
        {{"ab(b.gif", "b.gif", "b(c.gif", "c.gif"}, {"(ab(b)", "(b2)", "(b(c)", "(c2)"}},
    };
}

using Stage = void (*)(const std::vector<std::string>&, std::vector<std::string>&, std::string&,
                       PassCounter&);

void CheckWholeRuns(Stage stage) {
    for (const Run& run : WholeRuns()) {
        std::vector<std::string> table(run.pictures.size() + 1);
        std::string used;
        CountingPasses counter;
        stage(run.pictures, table, used, counter);
        std::vector<std::string> expected = run.shortcuts;
        expected.push_back("");  // the spare entry stays empty
        EXPECT_EQ(table, expected) << run.pictures.size() << " pictures";
        EXPECT_EQ(used, Lines(run.shortcuts));
    }
}

TEST(AssignShortcuts, WorkedRuns) { CheckWholeRuns(&AssignShortcuts); }
TEST(AssignShortcutsLiteral, WorkedRuns) { CheckWholeRuns(&AssignShortcutsLiteral); }

TEST(AssignShortcuts, CountsEveryNumberingStep) {
    // hf: 0 + 1 + 2 + 3 steps; cool.png tries (cool2) then (cool3): 2 steps
    std::vector<std::string> names = {"happy face.gif", "hungry fox.png", "Happy_Fish.gif",
                                      "HeFe.jpg", "cool.gif", "cool2.gif", "cool.png"};
    std::vector<std::string> table(names.size() + 1);
    std::string used;
    CountingPasses counter;
    AssignShortcuts(names, table, used, counter);
    EXPECT_EQ(counter.passes, 0u + 1 + 2 + 3 + 0 + 0 + 2);
}

TEST(AssignShortcuts, ResumedNumberingCountsTheSkippedSteps) {
    std::vector<std::string> names(200, "Same.gif");
    std::vector<std::string> fast(names.size() + 1), literal(names.size() + 1);
    std::string usedFast, usedLiteral;
    CountingPasses fastPasses, literalPasses;
    AssignShortcuts(names, fast, usedFast, fastPasses);
    AssignShortcutsLiteral(names, literal, usedLiteral, literalPasses);
    EXPECT_EQ(fast, literal);
    EXPECT_EQ(fastPasses.passes, literalPasses.passes);
    EXPECT_EQ(fastPasses.passes, 199u * 200u / 2u);
}

// Names built from a tiny alphabet collide often and reach every rule, including the
// "(" that makes a later shortcut count as used.
std::string RandomName(std::mt19937& random) {
    static const char alphabet[] = "aAbB(()) _-.12090";
    std::uniform_int_distribution<int> length(0, 9);
    std::uniform_int_distribution<int> pick(0, sizeof alphabet - 2);
    std::string name;
    for (int n = length(random); n > 0; --n) name += alphabet[pick(random)];
    return name;
}

TEST(AssignShortcuts, MatchesTheLiteralSearchOnRandomNames) {
    std::mt19937 random(20240611);
    for (int round = 0; round < 300; ++round) {
        std::vector<std::string> names(1 + round % 60);
        for (std::string& name : names) name = RandomName(random);
        std::vector<std::string> fast(names.size() + 1), literal(names.size() + 1);
        std::string usedFast, usedLiteral;
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
    std::vector<std::string> names = {"a\r\nb", "a\r\nb", "b", "\n"};
    std::vector<std::string> fast(names.size() + 1), literal(names.size() + 1);
    std::string usedFast, usedLiteral;
    CountingPasses fastPasses, literalPasses;
    AssignShortcuts(names, fast, usedFast, fastPasses);
    AssignShortcutsLiteral(names, literal, usedLiteral, literalPasses);
    EXPECT_EQ(fast, literal);
    EXPECT_EQ(usedFast, usedLiteral);
    EXPECT_EQ(fastPasses.passes, literalPasses.passes);
}

TEST(AssignShortcuts, ATooSmallTableIsAnError) {
    std::vector<std::string> names = {"a.gif", "b.gif"};
    std::vector<std::string> table(1);
    std::string used;
    CountingPasses counter;
    EXPECT_THROW(AssignShortcuts(names, table, used, counter), std::out_of_range);
}

}  // namespace
}  // namespace pimbrel

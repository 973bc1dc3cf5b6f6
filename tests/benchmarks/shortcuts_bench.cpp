// Times the assignment stage against the literal substring search on the same names and
// checks that both give the same tables, texts and pass counts. The Japanese names run with
// code page 932 installed, as on a Japanese system.
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "text_fakes.h"

namespace {

struct Outcome {
    pimbrel::testing::Assigned assigned;
    double ms = 0;
};

template <typename Stage>
Outcome Time(Stage stage, const std::vector<std::u16string>& names) {
    const auto start = std::chrono::steady_clock::now();
    Outcome out{pimbrel::testing::Assign(stage, names)};
    out.ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                 .count();
    return out;
}

// Distinct file names the way a folder of emoticons looks: one to three words, mixed case,
// separators and numbers; many still share a body and get numbered.
std::vector<std::u16string> DistinctNames(std::size_t count,
                                          const std::vector<const char16_t*>& words) {
    static const char16_t* const seps[] = {u" ", u"_", u"-", u""};
    static const char16_t* const exts[] = {u".gif", u".png", u".jpg", u".bmp"};
    std::mt19937 random(7);
    std::vector<std::u16string> names;
    names.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        std::u16string name = words[random() % words.size()];
        for (unsigned more = random() % 3; more > 0; --more) {
            name += seps[random() % 4];
            name += words[random() % words.size()];
        }
        name += pimbrel::testing::U16(std::to_string(i));  // keeps the file names distinct
        name += exts[random() % 4];
        names.push_back(name);
    }
    return names;
}

const std::vector<const char16_t*> kWords = {
    u"happy", u"Sad",   u"grin",  u"WINK", u"cool", u"Angry", u"smile", u"tongue", u"Laugh",
    u"cry",   u"kiss",  u"blush", u"heart", u"Star", u"cat",  u"Dog",   u"sun",   u"moon"};
const std::vector<const char16_t*> kJapaneseWords = {
    u"スマイル", u"笑顔",   u"大きい", u"ハート", u"泣き顔", u"ウインク", u"猫",   u"犬",
    u"表情",     u"ソフト", u"キス",   u"星",     u"月",     u"太陽",     u"ＯＫ", u"𠮷野家"};

// Distinct names whose bodies are only four: hfx, bgx, sex, ccx.
std::vector<std::u16string> SharedBodyNames(std::size_t count) {
    static const char16_t* const stems[] = {u"Happy Face x", u"Big Grin x", u"Sad Eyes x",
                                            u"Cool Cat x"};
    std::vector<std::u16string> names;
    names.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        names.push_back(stems[i % 4] + pimbrel::testing::U16(std::to_string(i)) + u".gif");
    }
    return names;
}

void Compare(const char* kind, const std::vector<std::u16string>& names, bool runLiteral) {
    const Outcome fast = Time(&pimbrel::AssignShortcuts, names);
    std::printf("%-8s %6zu names: fast %9.2f ms (%llu numbering steps)", kind, names.size(),
                fast.ms, static_cast<unsigned long long>(fast.assigned.passes));
    if (!runLiteral) {
        std::printf("  literal skipped (quadratic: steps x text length)\n");
        return;
    }
    const Outcome literal = Time(&pimbrel::AssignShortcutsLiteral, names);
    const bool same = fast.assigned == literal.assigned;
    std::printf("  literal %10.2f ms  ratio %8.1fx  tables %s\n", literal.ms,
                literal.ms / (fast.ms > 0 ? fast.ms : 1e-3), same ? "identical" : "DIFFER");
}

}  // namespace

int main(int argc, char** argv) {
    // The literal search on 32,766 distinct names runs for minutes: only on request.
    const bool literalAtMax = argc > 1 && std::string(argv[1]) == "--literal-32766";
    for (std::size_t count : {1000u, 10000u, 32766u}) {
        Compare("distinct", DistinctNames(count, kWords), count < 32766 || literalAtMax);
    }
    for (std::size_t count : {1000u, 10000u, 32766u}) {
        Compare("shared", SharedBodyNames(count), count <= 1000);
    }
    const pimbrel::testing::IconvCodePage cp932("CP932");
    for (std::size_t count : {1000u, 10000u, 32766u}) {
        Compare("japanese", DistinctNames(count, kJapaneseWords), count < 32766 || literalAtMax);
    }
    return 0;
}

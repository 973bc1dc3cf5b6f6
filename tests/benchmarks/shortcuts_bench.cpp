// Times the assignment stage against the literal substring search on the same names and
// checks that both give the same tables, texts and pass counts.
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "shortcuts/shortcuts.h"

namespace {

using pimbrel::PassCounter;

class Passes : public PassCounter {
public:
    void CountPass() override { ++count; }
    void CountPasses(std::uint32_t n) override { count += n; }
    std::uint64_t count = 0;
};

struct Outcome {
    std::vector<std::string> table;
    std::string used;
    std::uint64_t passes = 0;
    double ms = 0;
};

template <typename Stage>
Outcome Time(Stage stage, const std::vector<std::string>& names) {
    Outcome out;
    out.table.assign(names.size() + 1, std::string());
    Passes passes;
    const auto start = std::chrono::steady_clock::now();
    stage(names, out.table, out.used, passes);
    out.ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                 .count();
    out.passes = passes.count;
    return out;
}

// Distinct file names the way a folder of emoticons looks: one to three words, mixed case,
// separators and numbers; many still share a body and get numbered.
std::vector<std::string> DistinctNames(std::size_t count) {
    static const char* const words[] = {"happy", "Sad",   "grin",  "WINK",  "cool", "Angry",
                                        "smile", "tongue", "Laugh", "cry",   "kiss", "blush",
                                        "heart", "Star",  "cat",   "Dog",   "sun",  "moon"};
    static const char* const seps[] = {" ", "_", "-", ""};
    static const char* const exts[] = {".gif", ".png", ".jpg", ".bmp"};
    std::mt19937 random(7);
    std::vector<std::string> names;
    names.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        std::string name = words[random() % 18];
        for (unsigned more = random() % 3; more > 0; --more) {
            name += seps[random() % 4];
            name += words[random() % 18];
        }
        name += std::to_string(i);  // keeps the file names distinct
        name += exts[random() % 4];
        names.push_back(name);
    }
    return names;
}

// Distinct names whose bodies are only four: hfx, bgx, sex, ccx.
std::vector<std::string> SharedBodyNames(std::size_t count) {
    static const char* const stems[] = {"Happy Face x", "Big Grin x", "Sad Eyes x", "Cool Cat x"};
    std::vector<std::string> names;
    names.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        names.push_back(std::string(stems[i % 4]) + std::to_string(i) + ".gif");
    }
    return names;
}

void Compare(const char* kind, const std::vector<std::string>& names, bool runLiteral) {
    const Outcome fast = Time(&pimbrel::AssignShortcuts, names);
    std::printf("%-8s %6zu names: fast %9.2f ms (%llu numbering steps)", kind, names.size(),
                fast.ms, static_cast<unsigned long long>(fast.passes));
    if (!runLiteral) {
        std::printf("  literal skipped (quadratic: steps x text length)\n");
        return;
    }
    const Outcome literal = Time(&pimbrel::AssignShortcutsLiteral, names);
    const bool same =
        fast.table == literal.table && fast.used == literal.used && fast.passes == literal.passes;
    std::printf("  literal %10.2f ms  ratio %8.1fx  tables %s\n", literal.ms,
                literal.ms / (fast.ms > 0 ? fast.ms : 1e-3), same ? "identical" : "DIFFER");
}

}  // namespace

int main(int argc, char** argv) {
    // The literal search on 32,766 distinct names runs for minutes: only on request.
    const bool literalAtMax = argc > 1 && std::string(argv[1]) == "--literal-32766";
    for (std::size_t count : {1000u, 10000u, 32766u}) {
        Compare("distinct", DistinctNames(count), count < 32766 || literalAtMax);
    }
    for (std::size_t count : {1000u, 10000u, 32766u}) {
        Compare("shared", SharedBodyNames(count), count <= 1000);
    }
    return 0;
}

// Fuzzes MakeShortcut and the assignment stage: bodies stay within five characters, and the
// fast stage agrees with the literal substring search on any handful of names.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "shortcuts/shortcuts.h"

namespace {

class Passes : public pimbrel::PassCounter {
public:
    void CountPass() override { ++count; }
    std::uint64_t count = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    if (pimbrel::MakeShortcut(input).size() > 5) std::abort();

    // "/" cannot occur in a file name, so it separates the names of one run.
    std::vector<std::string> names;
    std::size_t start = 0;
    for (std::size_t slash; names.size() < 24 && (slash = input.find('/', start)) != std::string::npos;
         start = slash + 1) {
        names.push_back(input.substr(start, slash - start));
    }
    names.push_back(input.substr(start));
    for (const std::string& name : names) {
        if (pimbrel::MakeShortcut(name).size() > 5) std::abort();
    }

    std::vector<std::string> fast(names.size() + 1), literal(names.size() + 1);
    std::string usedFast, usedLiteral;
    Passes fastPasses, literalPasses;
    pimbrel::AssignShortcuts(names, fast, usedFast, fastPasses);
    pimbrel::AssignShortcutsLiteral(names, literal, usedLiteral, literalPasses);
    if (fast != literal || usedFast != usedLiteral || fastPasses.count != literalPasses.count) {
        std::abort();
    }
    if (!fast.back().empty()) std::abort();
    return 0;
}

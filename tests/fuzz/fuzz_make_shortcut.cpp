// Fuzzes MakeShortcut and the assignment stage on UTF-16 names: a body never has more than
// five characters and never splits one (a valid name gives a valid body), the fast stage
// agrees with the literal substring search on any handful of names, and Messenger could take
// every automatic shortcut (seven characters at most).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "text_fakes.h"

namespace {

// True when every surrogate has its partner.
bool IsValid(const std::u16string& text) {
    for (std::size_t at = 0; at < text.size(); at += pimbrel::CharacterSize(text, at)) {
        if (pimbrel::IsHighSurrogate(text[at]) || pimbrel::IsLowSurrogate(text[at])) {
            if (pimbrel::CharacterSize(text, at) != 2) return false;
        }
    }
    return true;
}

void CheckBody(const std::u16string& name) {
    const std::u16string body = pimbrel::MakeShortcut(name);
    if (pimbrel::CharacterCount(body) > 5) std::abort();
    if (IsValid(name) && !IsValid(body)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::u16string input(size / 2, u'\0');
    std::memcpy(&input[0], data, input.size() * 2);
    CheckBody(input);

    // "/" cannot occur in a file name, so it separates the names of one run.
    std::vector<std::u16string> names;
    std::size_t start = 0;
    for (std::size_t slash;
         names.size() < 24 && (slash = input.find(u'/', start)) != std::u16string::npos;
         start = slash + 1) {
        names.push_back(input.substr(start, slash - start));
    }
    names.push_back(input.substr(start));
    for (const std::u16string& name : names) CheckBody(name);

    using pimbrel::testing::Assign;
    const pimbrel::testing::Assigned fast = Assign(&pimbrel::AssignShortcuts, names);
    if (!(fast == Assign(&pimbrel::AssignShortcutsLiteral, names))) std::abort();
    if (!fast.table.back().empty()) std::abort();
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (pimbrel::CharacterCount(fast.table[i]) > pimbrel::kLongestShortcut) std::abort();
    }
    return 0;
}

// Derives the body of a picture's automatic shortcut from its file name.
#include <algorithm>
#include <cstddef>

#include "shortcuts/shortcuts.h"
#include "shortcuts/text_case.h"

namespace pimbrel {
namespace {

constexpr std::size_t kBodyLength = 5;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// One to three digits, no leading zero unless it is the single digit 0.
bool IsPlainNumber(const std::string& text) {
    if (text.empty() || text.size() > 3) return false;
    if (!std::all_of(text.begin(), text.end(), IsDigit)) return false;
    return text.size() == 1 || text[0] != '0';
}

std::string LowerChar(char c) { return LowerCase(std::string(1, c)); }

// Initials of the words; a word that starts with a digit is taken whole. Empty words
// (runs of separators) contribute the space itself, as the rule is written.
std::string SeveralWords(std::string name) {
    if (name.find('(') != std::string::npos && name.find(')') != std::string::npos) {
        name.erase(std::remove_if(name.begin(), name.end(),
                                  [](char c) { return c == '(' || c == ')'; }),
                   name.end());
    }
    std::string result;
    std::size_t start = 0;
    for (std::size_t space = name.find(' '); space != std::string::npos;
         space = name.find(' ', start)) {
        if (IsDigit(name[start])) {
            result += LowerCase(name.substr(start, space - start));
        } else {
            result += LowerChar(name[start]);
        }
        start = space + 1;
    }
    if (start < name.size()) {
        if (IsDigit(name[start])) {
            result += LowerCase(name.substr(start));
        } else {
            result += LowerChar(name[start]);
        }
    }
    return result;
}

bool IsMixedCase(const std::string& name) {
    const std::string lower = LowerCase(name);
    const std::string upper = UpperCase(name);
    const std::string capitalised =
        name.empty() ? name : UpperCase(name.substr(0, 1)) + LowerCase(name.substr(1));
    return name != lower && name != upper && name != capitalised;
}

std::string OneWord(const std::string& name) {
    if (IsMixedCase(name)) {
        // Keeps capitals, digits and anything else without a lower-case form.
        std::string result;
        for (char c : name) {
            const std::string one(1, c);
            if (UpperCase(one) == one) result += LowerCase(one);
        }
        return result;
    }
    const std::size_t n = name.size();
    if (n >= kBodyLength && IsDigit(name[n - 1])) {
        if (IsPlainNumber(name.substr(n - 3))) return name.substr(0, 2) + name.substr(n - 3);
        if (IsPlainNumber(name.substr(n - 2))) return name.substr(0, 3) + name.substr(n - 2);
        return name.substr(0, 4) + name.substr(n - 1);
    }
    return name;
}

}  // namespace

std::string MakeShortcut(const std::string& fileName) {
    std::string name = fileName;
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos) name.erase(dot);
    std::replace(name.begin(), name.end(), '_', ' ');
    std::replace(name.begin(), name.end(), '-', ' ');
    std::string body =
        name.find(' ') != std::string::npos ? SeveralWords(std::move(name)) : OneWord(name);
    if (body.size() > kBodyLength) body.resize(kBodyLength);
    return body;
}

}  // namespace pimbrel

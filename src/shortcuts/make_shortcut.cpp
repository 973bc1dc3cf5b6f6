// Derives the body of a picture's automatic shortcut from its file name, by character.
#include <algorithm>
#include <cstddef>

#include "shortcuts/characters.h"
#include "shortcuts/code_page.h"
#include "shortcuts/shortcuts.h"

namespace pimbrel {
namespace {

constexpr std::size_t kBodyLength = 5;

// A digit is never part of a surrogate pair, so a code unit test is a character test.
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// One to three digits, no leading zero unless it is the single digit 0.
bool IsPlainNumber(const std::u16string& text) {
    if (text.empty() || text.size() > 3) return false;
    if (!std::all_of(text.begin(), text.end(), IsDigit)) return false;
    return text.size() == 1 || text[0] != u'0';
}

// The lower-case initial of the word that starts at `start`, or the word itself, lowered,
// when it starts with a digit. `end` is where the word ends.
std::u16string Initial(const std::u16string& name, std::size_t start, std::size_t end) {
    if (IsDigit(name[start])) return LowerCase(name.substr(start, end - start));
    return LowerCase(name.substr(start, CharacterSize(name, start)));
}

// Initials of the words; a word that starts with a digit is taken whole. Empty words
// (runs of separators) contribute the space itself, as the rule is written.
std::u16string SeveralWords(std::u16string name) {
    if (name.find(u'(') != std::u16string::npos && name.find(u')') != std::u16string::npos) {
        name.erase(std::remove_if(name.begin(), name.end(),
                                  [](char16_t c) { return c == u'(' || c == u')'; }),
                   name.end());
    }
    std::u16string result;
    std::size_t start = 0;
    for (std::size_t space = name.find(u' '); space != std::u16string::npos;
         space = name.find(u' ', start)) {
        result += Initial(name, start, space);
        start = space + 1;
    }
    if (start < name.size()) result += Initial(name, start, name.size());
    return result;
}

bool IsMixedCase(const std::u16string& name) {
    const std::u16string lower = LowerCase(name);
    const std::u16string upper = UpperCase(name);
    if (name == lower || name == upper) return false;
    const std::size_t first = name.empty() ? 0 : CharacterSize(name, 0);
    return name != UpperCase(name.substr(0, first)) + LowerCase(name.substr(first));
}

std::u16string OneWord(const std::u16string& name) {
    if (IsMixedCase(name)) {
        // Keeps capitals, digits and anything else without a lower-case form.
        std::u16string result;
        for (std::size_t at = 0; at < name.size();) {
            const std::size_t size = CharacterSize(name, at);
            const std::u16string one = name.substr(at, size);
            if (UpperCase(one) == one) result += LowerCase(one);
            at += size;
        }
        return result;
    }
    if (!name.empty() && IsDigit(name.back()) && CharacterCount(name) >= kBodyLength) {
        for (const std::size_t digits : {3, 2, 1}) {
            const std::u16string number = LastCharacters(name, digits);
            if (digits == 1 || IsPlainNumber(number))
                return FirstCharacters(name, kBodyLength - digits) + number;
        }
    }
    return name;
}

}  // namespace

std::u16string MakeShortcut(const std::u16string& fileName) {
    std::u16string name = fileName;
    const std::size_t dot = name.rfind(u'.');
    if (dot != std::u16string::npos) name.erase(dot);
    std::replace(name.begin(), name.end(), u'_', u' ');
    std::replace(name.begin(), name.end(), u'-', u' ');
    const std::u16string body =
        name.find(u' ') != std::u16string::npos ? SeveralWords(std::move(name)) : OneWord(name);
    return FirstCharacters(body, kBodyLength);
}

}  // namespace pimbrel

// The one seam between characters and the ANSI code page: picture names, shortcuts and list
// entries are UTF-16 characters everywhere; they become the code page's bytes only on their
// way to Messenger, and the list file's bytes become characters as they are read. Letter case
// is the platform's too.
#pragma once
#include <string>

namespace pimbrel {

class CodePage {
public:
    CodePage() = default;
    CodePage(const CodePage&) = delete;
    CodePage& operator=(const CodePage&) = delete;
    virtual ~CodePage() = default;
    // The text in the code page's bytes; a character that the code page cannot hold becomes
    // "?" and clears `exact` (left alone otherwise).
    virtual std::string Encode(const std::u16string& text, bool& exact) const = 0;
    virtual std::u16string Decode(const std::string& bytes) const = 0;
    virtual void ToUpper(std::u16string& text) const = 0;
    virtual void ToLower(std::u16string& text) const = 0;
};

// Installs the code page used by every conversion below; null restores the built-in one:
// bytes are Latin-1 (U+0000 to U+00FF, anything else "?") and only A-Z and a-z have case.
void SetCodePage(const CodePage* codePage);

std::string ToAnsi(const std::u16string& text);
// Whether the code page holds every character of the text, so that it goes out unchanged.
bool CodePageHolds(const std::u16string& text);
std::u16string FromAnsi(const std::string& bytes);

std::u16string UpperCase(std::u16string text);
std::u16string LowerCase(std::u16string text);

}  // namespace pimbrel

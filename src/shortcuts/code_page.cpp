// The process-wide code page seam; built in until the exe or a test installs another.
#include "shortcuts/code_page.h"

#include "shortcuts/characters.h"

namespace pimbrel {
namespace {

class Latin1 : public CodePage {
public:
    std::string Encode(const std::u16string& text, bool& exact) const override {
        std::string bytes;
        bytes.reserve(text.size());
        for (std::size_t i = 0; i < text.size(); ++i) {
            const char16_t c = text[i];
            if (c <= 0xFF) {
                bytes += static_cast<char>(c);
                continue;
            }
            bytes += '?';
            exact = false;
            // a surrogate pair is one character, so it gives one "?"
            i += CharacterSize(text, i) - 1;
        }
        return bytes;
    }
    std::u16string Decode(const std::string& bytes) const override {
        std::u16string text(bytes.size(), u'\0');
        for (std::size_t i = 0; i < bytes.size(); ++i)
            text[i] = static_cast<unsigned char>(bytes[i]);
        return text;
    }
    void ToUpper(std::u16string& text) const override {
        for (char16_t& c : text)
            if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    }
    void ToLower(std::u16string& text) const override {
        for (char16_t& c : text)
            if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    }
};

const Latin1 builtIn;
const CodePage* installed = &builtIn;

}  // namespace

void SetCodePage(const CodePage* codePage) { installed = codePage ? codePage : &builtIn; }

bool CodePageHolds(const std::u16string& text) {
    bool exact = true;
    installed->Encode(text, exact);
    return exact;
}

std::string ToAnsi(const std::u16string& text) {
    bool exact = true;
    return installed->Encode(text, exact);
}

std::u16string FromAnsi(const std::string& bytes) { return installed->Decode(bytes); }

std::u16string UpperCase(std::u16string text) {
    installed->ToUpper(text);
    return text;
}

std::u16string LowerCase(std::u16string text) {
    installed->ToLower(text);
    return text;
}

}  // namespace pimbrel

// Counting and cutting UTF-16 texts by character: a surrogate pair is one character and is
// never split; a surrogate without its partner counts as a character of its own.
#pragma once
#include <cstddef>
#include <string>

namespace pimbrel {

inline bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
inline bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Code units of the character that starts at `at` (1 or 2).
inline std::size_t CharacterSize(const std::u16string& text, std::size_t at) {
    return IsHighSurrogate(text[at]) && at + 1 < text.size() && IsLowSurrogate(text[at + 1]) ? 2
                                                                                            : 1;
}

inline std::size_t CharacterCount(const std::u16string& text) {
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.size(); at += CharacterSize(text, at)) ++count;
    return count;
}

// Code units taken by the first `count` characters (all of them when there are fewer).
inline std::size_t UnitsOfFirst(const std::u16string& text, std::size_t count) {
    std::size_t at = 0;
    for (; count > 0 && at < text.size(); --count) at += CharacterSize(text, at);
    return at;
}

inline std::u16string FirstCharacters(const std::u16string& text, std::size_t count) {
    return text.substr(0, UnitsOfFirst(text, count));
}

// The last `count` characters. Read backwards, a low surrogate belongs to the high one just
// before it, exactly as reading forwards pairs them.
inline std::u16string LastCharacters(const std::u16string& text, std::size_t count) {
    std::size_t at = text.size();
    for (; count > 0 && at > 0; --count) {
        at -= at >= 2 && IsLowSurrogate(text[at - 1]) && IsHighSurrogate(text[at - 2]) ? 2 : 1;
    }
    return text.substr(at);
}

// The text in UTF-8, the form that the program's own message boxes take; a surrogate
// without its partner becomes U+FFFD.
inline std::string Utf8(const std::u16string& text) {
    std::string bytes;
    for (std::size_t at = 0; at < text.size(); at += CharacterSize(text, at)) {
        char32_t c = text[at];
        if (CharacterSize(text, at) == 2)
            c = 0x10000 + ((c - 0xD800) << 10) + (text[at + 1] - 0xDC00);
        else if (IsHighSurrogate(text[at]) || IsLowSurrogate(text[at]))
            c = 0xFFFD;
        if (c < 0x80) {
            bytes += static_cast<char>(c);
        } else if (c < 0x800) {
            bytes += static_cast<char>(0xC0 | (c >> 6));
            bytes += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            bytes += static_cast<char>(0xE0 | (c >> 12));
            bytes += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            bytes += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            bytes += static_cast<char>(0xF0 | (c >> 18));
            bytes += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            bytes += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            bytes += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return bytes;
}

}  // namespace pimbrel

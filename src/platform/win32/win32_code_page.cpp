// The ANSI code page and letter case of the system; see win32_code_page.h.
#include "win32_code_page.h"

#include <algorithm>

#include "shortcuts/characters.h"

namespace pimbrel::win32 {

namespace {

const wchar_t* Units(const std::u16string& text) {
    static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 wchar_t");
    return reinterpret_cast<const wchar_t*>(text.data());
}

}  // namespace

std::string Win32CodePage::Encode(const std::u16string& text, bool& exact) const {
    if (std::none_of(text.begin(), text.end(), IsHighSurrogate)) return EncodeUnits(text, exact);
    std::string bytes;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t size = CharacterSize(text, at);
        bool fits = true;
        const std::string one = EncodeUnits(text.substr(at, size), fits);
        bytes += fits ? one : std::string("?");
        exact = exact && fits;
        at += size;
    }
    return bytes;
}

std::string Win32CodePage::EncodeUnits(const std::u16string& text, bool& exact) const {
    if (text.empty()) return std::string();
    const int units = static_cast<int>(text.size());
    // With the UTF-8 code page (a Windows 10 option) the call takes neither flags nor a
    // default character; only a surrogate without its partner is lost there, so a round
    // trip tells. Elsewhere no best fit: a look-alike letter would name another file.
    const bool utf8 = GetACP() == CP_UTF8;
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const char* defaultChar = utf8 ? nullptr : "?";
    BOOL usedDefault = FALSE;
    BOOL* askUsedDefault = utf8 ? nullptr : &usedDefault;
    const int size = WideCharToMultiByte(CP_ACP, flags, Units(text), units, nullptr, 0,
                                         defaultChar, askUsedDefault);
    if (size <= 0) {
        exact = false;
        return std::string();
    }
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, flags, Units(text), units, &bytes[0], size, defaultChar,
                        askUsedDefault);
    if (usedDefault || (utf8 && Decode(bytes) != text)) exact = false;
    return bytes;
}

std::u16string Win32CodePage::Decode(const std::string& bytes) const {
    if (bytes.empty()) return std::u16string();
    const int length = static_cast<int>(bytes.size());
    const int size = MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, nullptr, 0);
    if (size <= 0) return std::u16string();
    std::u16string text(static_cast<std::size_t>(size), u'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, reinterpret_cast<wchar_t*>(&text[0]),
                        size);
    return text;
}

void Win32CodePage::ToUpper(std::u16string& text) const {
    if (!text.empty())
        CharUpperBuffW(reinterpret_cast<wchar_t*>(&text[0]), static_cast<DWORD>(text.size()));
}

void Win32CodePage::ToLower(std::u16string& text) const {
    if (!text.empty())
        CharLowerBuffW(reinterpret_cast<wchar_t*>(&text[0]), static_cast<DWORD>(text.size()));
}

std::wstring WideFrom(UINT codePage, const std::string& bytes) {
    const int length = static_cast<int>(bytes.size());
    const int size = MultiByteToWideChar(codePage, 0, bytes.data(), length, nullptr, 0);
    std::wstring text(size > 0 ? size : 0, L'\0');
    if (size > 0) MultiByteToWideChar(codePage, 0, bytes.data(), length, &text[0], size);
    return text;
}

std::string BytesFrom(UINT codePage, const std::wstring& text) {
    const int length = static_cast<int>(text.size());
    const int size =
        WideCharToMultiByte(codePage, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string bytes(size > 0 ? size : 0, '\0');
    if (size > 0)
        WideCharToMultiByte(codePage, 0, text.data(), length, &bytes[0], size, nullptr, nullptr);
    return bytes;
}

}  // namespace pimbrel::win32

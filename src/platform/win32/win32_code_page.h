// The system's ANSI code page and the system's letter case, behind the program's text seam;
// also the one place where our UTF-16 texts meet the Win32 wide strings.
#pragma once
#include <windows.h>

#include <string>

#include "shortcuts/code_page.h"

namespace pimbrel::win32 {

class Win32CodePage : public CodePage {
public:
    // A character that the code page cannot hold is one "?", a surrogate pair included (the
    // system would give one for each half).
    std::string Encode(const std::u16string& text, bool& exact) const override;
    std::u16string Decode(const std::string& bytes) const override;
    void ToUpper(std::u16string& text) const override;
    void ToLower(std::u16string& text) const override;

private:
    std::string EncodeUnits(const std::u16string& text, bool& exact) const;
};

// wchar_t is 16 bits here: the same code units, spelt as the API wants them.
inline std::wstring ToWide(const std::u16string& text) {
    return std::wstring(text.begin(), text.end());
}
inline std::u16string FromWide(const wchar_t* text) {
    const std::wstring wide(text);
    return std::u16string(wide.begin(), wide.end());
}

// Between a code page's bytes (CP_ACP, CP_UTF8) and wide strings, for the program's own texts:
// what the code page cannot hold is left to the system's defaults.
std::wstring WideFrom(UINT codePage, const std::string& bytes);
std::string BytesFrom(UINT codePage, const std::wstring& text);

}  // namespace pimbrel::win32

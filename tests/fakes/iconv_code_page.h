// Windows' ANSI code pages for the native tests, through glibc's iconv (CP1252, CP932,
// CP936, CP949, CP950), with letter case from the C.UTF-8 locale, so that rows run with the
// real byte sequences. Installs itself for as long as it lives.
#pragma once
#include <iconv.h>

#include <string>

#include "shortcuts/code_page.h"

namespace pimbrel::testing {

class IconvCodePage : public CodePage {
public:
    explicit IconvCodePage(const std::string& name);
    ~IconvCodePage() override;

    std::string Encode(const std::u16string& text, bool& exact) const override;
    std::u16string Decode(const std::string& bytes) const override;
    void ToUpper(std::u16string& text) const override;
    void ToLower(std::u16string& text) const override;

    const std::string& Name() const { return name_; }

private:
    std::string name_;
    iconv_t encoder_;
    iconv_t decoder_;
};

// Test texts in UTF-8, for literals and messages.
std::u16string U16(const std::string& utf8);
std::string Utf8(const std::u16string& text);

}  // namespace pimbrel::testing

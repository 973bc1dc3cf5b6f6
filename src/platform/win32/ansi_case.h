// Letter case by the ANSI code page's own rules.
#pragma once
#include "shortcuts/text_case.h"

namespace pimbrel::win32 {

class AnsiCase : public CaseConversion {
public:
    void ToUpper(std::string& text) const override;
    void ToLower(std::string& text) const override;
};

}  // namespace pimbrel::win32

// The one seam for letter case: ASCII by default, the code page's own rules in the exe.
#pragma once
#include <string>

namespace pimbrel {

class CaseConversion {
public:
    virtual ~CaseConversion() = default;
    virtual void ToUpper(std::string& text) const = 0;
    virtual void ToLower(std::string& text) const = 0;
};

// Installs the conversion used by every case operation of the program (null: ASCII).
void SetCaseConversion(const CaseConversion* conversion);

std::string UpperCase(std::string text);
std::string LowerCase(std::string text);

}  // namespace pimbrel

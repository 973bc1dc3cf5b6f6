// The process-wide case seam: ASCII until the exe installs the code page's conversion.
#include "shortcuts/text_case.h"

namespace pimbrel {
namespace {

const CaseConversion* installed = nullptr;

}  // namespace

void SetCaseConversion(const CaseConversion* conversion) { installed = conversion; }

std::string UpperCase(std::string text) {
    if (installed) {
        installed->ToUpper(text);
        return text;
    }
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

std::string LowerCase(std::string text) {
    if (installed) {
        installed->ToLower(text);
        return text;
    }
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

}  // namespace pimbrel

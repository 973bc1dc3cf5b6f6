// Letter case by the ANSI code page; see ansi_case.h.
#include "ansi_case.h"

#include <windows.h>

namespace pimbrel::win32 {

void AnsiCase::ToUpper(std::string& text) const {
    if (!text.empty()) CharUpperBuffA(text.data(), static_cast<DWORD>(text.size()));
}

void AnsiCase::ToLower(std::string& text) const {
    if (!text.empty()) CharLowerBuffA(text.data(), static_cast<DWORD>(text.size()));
}

}  // namespace pimbrel::win32

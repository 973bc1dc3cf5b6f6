// The common controls' window subclassing; see window_subclass.h.
#include "window_subclass.h"

#include "system_files.h"

namespace pimbrel::win32 {

const SubclassCalls& Subclassing() {
    static const SubclassCalls calls = [] {
        const HMODULE controls = GetModuleHandleW(L"comctl32.dll");
        SubclassCalls found{ExportOf<SubclassCalls::Set>(controls, MAKEINTRESOURCEA(410)),
                            ExportOf<SubclassCalls::Remove>(controls, MAKEINTRESOURCEA(412)),
                            ExportOf<SubclassCalls::Default>(controls, MAKEINTRESOURCEA(413))};
        if (!found.remove || !found.next) found.set = nullptr;
        return found;
    }();
    return calls;
}

}  // namespace pimbrel::win32

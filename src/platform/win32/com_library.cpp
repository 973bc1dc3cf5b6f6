// COM from the system folder; see com_library.h.
#include "com_library.h"

#include "system_files.h"

namespace pimbrel::win32 {

namespace {
using CoInitializeFunction = HRESULT(WINAPI*)(LPVOID);
using CoUninitializeFunction = void(WINAPI*)();
using CoCreateInstanceFunction = HRESULT(WINAPI*)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*);
using CoTaskMemFreeFunction = void(WINAPI*)(LPVOID);
}  // namespace

HMODULE Ole32() {
    static const HMODULE ole32 = LoadSystemLibrary(L"ole32.dll");
    return ole32;
}

ComLibrary::ComLibrary() {
    const auto enter = ExportOf<CoInitializeFunction>(Ole32(), "CoInitialize");
    if (!enter) return;
    const HRESULT entered = enter(nullptr);
    entered_ = SUCCEEDED(entered);  // S_FALSE too: every success is left once
    // Another apartment of the thread's own serves as well.
    ready_ = entered_ || entered == RPC_E_CHANGED_MODE;
}

ComLibrary::~ComLibrary() {
    if (entered_)
        if (auto leave = ExportOf<CoUninitializeFunction>(Ole32(), "CoUninitialize")) leave();
}

void* ComLibrary::Create(const CLSID& type, const IID& face) const {
    const auto create = ExportOf<CoCreateInstanceFunction>(Ole32(), "CoCreateInstance");
    void* object = nullptr;
    if (!ready_ || !create || FAILED(create(type, nullptr, CLSCTX_INPROC_SERVER, face, &object)))
        return nullptr;
    return object;
}

void ComLibrary::Free(void* memory) const {
    if (auto free = ExportOf<CoTaskMemFreeFunction>(Ole32(), "CoTaskMemFree")) free(memory);
}

}  // namespace pimbrel::win32

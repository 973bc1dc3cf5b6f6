// COM from the system folder's ole32.dll (not imported: nothing of it is needed at start-up),
// for as long as an object of ComLibrary lives on the thread.
#pragma once
#include <windows.h>

namespace pimbrel::win32 {

// ole32.dll of the system folder, loaded once; nullptr without it.
HMODULE Ole32();

class ComLibrary {
public:
    // Enters COM on this thread, in a single-threaded apartment where it has none yet.
    ComLibrary();
    ~ComLibrary();
    ComLibrary(const ComLibrary&) = delete;
    ComLibrary& operator=(const ComLibrary&) = delete;

    // COM can be used on the thread, entered here or before.
    bool Ready() const { return ready_; }
    // A new object of the class, of an in-process server, as the interface asked for;
    // nullptr where the system has no such class or interface.
    void* Create(const CLSID& type, const IID& face) const;
    // Frees memory that a COM call handed over.
    void Free(void* memory) const;

private:
    bool entered_ = false;  // entered here, and so left here
    bool ready_ = false;
};

}  // namespace pimbrel::win32

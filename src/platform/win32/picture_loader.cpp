// The picture loader's thread; see picture_loader.h.
#include "picture_loader.h"

#include <new>

#include "gdiplus_api.h"
#include "picture_drawing.h"

namespace pimbrel::win32 {

namespace {

// The file's size and, when within the limit, its bytes (fewer where a read fails); false
// when the file cannot be opened or measured.
bool ReadPictureFile(const std::wstring& path, std::uint64_t& size, std::string& bytes) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER length{};
    const bool measured = GetFileSizeEx(file, &length) != 0;
    if (measured) {
        size = static_cast<std::uint64_t>(length.QuadPart);
        if (size <= kLargestPictureFile) {
            bytes.resize(static_cast<std::size_t>(size));
            std::size_t total = 0;
            DWORD read = 0;
            while (total < bytes.size() &&
                   ReadFile(file, &bytes[total], static_cast<DWORD>(bytes.size() - total), &read,
                            nullptr) &&
                   read > 0)
                total += read;
            bytes.resize(total);
        }
    }
    CloseHandle(file);
    return measured;
}

// One picture, read, checked and decoded; its bytes are freed on return.
LoadedPicture LoadPicture(const GdiplusFunctions& gdiplus, int index, const std::wstring& path,
                          int side) {
    try {
        std::uint64_t size = 0;
        std::string bytes;
        if (!ReadPictureFile(path, size, bytes)) return {index, PictureState::Unreadable, nullptr};
        const PictureState checked = CheckBeforeDecoding(size, bytes);
        if (checked != PictureState::Loading) return {index, checked, nullptr};
        const DrawnPicture drawn = DrawPicture(gdiplus, bytes, side);
        return {index, drawn.state, drawn.bitmap};
    } catch (const std::bad_alloc&) {  // no room for the bytes now: the list goes on
        return {index, PictureState::Unreadable, nullptr};
    }
}

}  // namespace

struct PictureLoader::Shared {
    Shared(HWND window, UINT message, std::vector<std::wstring> paths, int side)
        : window(window), message(message), paths(std::move(paths)), side(side) {
        InitializeCriticalSection(&lock);
    }
    ~Shared() {
        for (const LoadedPicture& picture : finished)
            if (picture.bitmap) DeleteObject(picture.bitmap);
        DeleteCriticalSection(&lock);
    }

    bool Stopping() {
        EnterCriticalSection(&lock);
        const bool stop = stopping;
        LeaveCriticalSection(&lock);
        return stop;
    }

    // A finished picture to be taken, and one message for all that wait to be taken; after
    // the loader has gone, the bitmap is deleted instead. The message is posted under the
    // lock (posting waits for no one), so that none follows the loader's end.
    void Hand(const LoadedPicture& picture) {
        bool kept = false;
        EnterCriticalSection(&lock);
        if (!stopping) {
            try {
                finished.push_back(picture);
                kept = true;
                // A post that fails (a full queue) is tried again with the next picture.
                if (!told) told = PostMessageW(window, message, 0, 0) != 0;
            } catch (const std::bad_alloc&) {
            }
        }
        LeaveCriticalSection(&lock);
        if (!kept && picture.bitmap) DeleteObject(picture.bitmap);
    }

    // The loader and its thread each hold it; the last one to let go deletes it.
    void Release() {
        if (InterlockedDecrement(&owners) == 0) delete this;
    }

    const HWND window;
    const UINT message;
    const std::vector<std::wstring> paths;
    const int side;
    CRITICAL_SECTION lock;
    std::vector<LoadedPicture> finished;  // not taken yet, in list order
    bool told = false;                    // a message is on its way for them
    bool stopping = false;
    LONG owners = 1;
};

DWORD WINAPI PictureLoader::Run(void* parameter) {
    Shared& shared = *static_cast<Shared*>(parameter);
    // Below the window's thread, so that on a single core the list and a run stay as quick
    // as without the pictures, which simply come later.
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
    {
        const Gdiplus gdiplus(GdiplusSearch::SystemFolderFirst);
        if (const GdiplusFunctions* functions = gdiplus.Functions())
            for (std::size_t i = 0; i < shared.paths.size() && !shared.Stopping(); ++i)
                shared.Hand(LoadPicture(*functions, static_cast<int>(i), shared.paths[i],
                                        shared.side));
    }
    shared.Release();
    return 0;
}

PictureLoader::PictureLoader(HWND window, UINT message, std::vector<std::wstring> paths,
                             int side)
    : shared_(new Shared(window, message, std::move(paths), side)) {
    if (shared_->paths.empty()) return;
    shared_->owners = 2;
    // Never waited for (see the destructor), so its handle is not kept.
    if (const HANDLE thread = CreateThread(nullptr, 0, &PictureLoader::Run, shared_, 0, nullptr))
        CloseHandle(thread);
    else
        shared_->owners = 1;
}

PictureLoader::~PictureLoader() {
    // A decode in hand goes on until it ends; the thread then finds the loader gone, drops
    // what it made and lets go of what they share.
    EnterCriticalSection(&shared_->lock);
    shared_->stopping = true;
    LeaveCriticalSection(&shared_->lock);
    shared_->Release();
}

std::vector<LoadedPicture> PictureLoader::TakeFinished() {
    std::vector<LoadedPicture> taken;
    EnterCriticalSection(&shared_->lock);
    taken.swap(shared_->finished);
    shared_->told = false;
    LeaveCriticalSection(&shared_->lock);
    return taken;
}

}  // namespace pimbrel::win32

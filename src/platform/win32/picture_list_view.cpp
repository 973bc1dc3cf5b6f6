// The picture list as a list view; see picture_list_view.h.
#include "picture_list_view.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

#include "system_files.h"
#include "win32_code_page.h"

namespace pimbrel::win32 {

namespace {

enum Column { kPictureColumn, kShortcutColumn, kResultColumn };

struct ColumnSpec {
    const wchar_t* heading;
    int width;  // pixels at 96 DPI
};
constexpr ColumnSpec kColumns[] = {{L"Picture", 150}, {L"Shortcut", 110}, {L"Result", 220}};

// A picture is shown in a square of 32 pixels at 100 %.
constexpr int kPictureSide = 32;

// The image list's calls, from the common controls that start-up loaded (imported, they
// would load before the DLL search is narrowed).
struct ImageListCalls {
    using Create = HIMAGELIST(WINAPI*)(int, int, UINT, int, int);
    using Add = int(WINAPI*)(HIMAGELIST, HBITMAP, HBITMAP);
    Create create = nullptr;
    Add add = nullptr;
};

const ImageListCalls& ImageLists() {
    static const ImageListCalls calls = [] {
        const HMODULE controls = GetModuleHandleW(L"comctl32.dll");
        return ImageListCalls{ExportOf<ImageListCalls::Create>(controls, "ImageList_Create"),
                              ExportOf<ImageListCalls::Add>(controls, "ImageList_Add")};
    }();
    return calls;
}

// A placeholder of side x side pixels: a grey frame, empty inside while the picture is being
// read, crossed where there is no picture to show.
HBITMAP Placeholder(int side, bool crossed) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), side, -side, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) return nullptr;
    auto* pixels = static_cast<DWORD*>(bits);
    const int line = std::max(1, side / 32);
    const int inset = side / 8;  // a frame a little smaller than a picture's square
    const DWORD frame = crossed ? 0xFF8C8C8C : 0xFFC8C8C8;  // opaque grey, premultiplied
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            const int left = x - inset, top = y - inset, size = side - 2 * inset;
            const bool inside = left >= 0 && top >= 0 && left < size && top < size;
            const bool edge = inside && (left < line || top < line || left >= size - line ||
                                         top >= size - line);
            const bool cross = inside && crossed &&
                               (std::abs(left - top) < line || std::abs(left + top - size + 1) < line);
            pixels[y * side + x] = edge || cross ? frame : 0;
        }
    }
    return bitmap;
}

}  // namespace

PictureListView::PictureListView(HWND list, int dpi)
    : Control(list), side_(MulDiv(kPictureSide, dpi, 96)), dpi_(dpi) {
    SendMessageW(window_, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                 LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    for (int column = kPictureColumn; column <= kResultColumn; ++column) {
        LVCOLUMNW spec{};
        spec.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        spec.pszText = const_cast<wchar_t*>(kColumns[column].heading);
        spec.cx = MulDiv(kColumns[column].width, dpi, 96);
        spec.iSubItem = column;
        SendMessageW(window_, LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(&spec));
    }
    // Without the image list the rows simply show no pictures.
    const ImageListCalls& calls = ImageLists();
    if (!calls.create || !calls.add) return;
    images_ = calls.create(side_, side_, ILC_COLOR32, 64, 64);
    if (!images_) return;
    for (bool crossed : {false, true}) {
        HBITMAP placeholder = Placeholder(side_, crossed);
        calls.add(images_, placeholder, nullptr);
        if (placeholder) DeleteObject(placeholder);
    }
    SendMessageW(window_, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images_));
}

void PictureListView::SetEntries(const std::vector<std::u16string>& names) {
    // A thousand pictures are a thousand messages: room for all of them at once, and no
    // drawing until the list is whole.
    SendMessageW(window_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(window_, LVM_DELETEALLITEMS, 0, 0);
    SendMessageW(window_, LVM_SETITEMCOUNT, names.size(), 0);
    for (std::size_t i = 0; i < names.size(); ++i) {
        std::wstring name = ToWide(names[i]);
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = static_cast<int>(i);
        item.pszText = name.data();
        item.iImage = kImageLoading;
        if (SendMessageW(window_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)) == -1)
            throw std::runtime_error("the picture list could not take its entries");
    }
    SendMessageW(window_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(window_, nullptr, TRUE);
}

void PictureListView::SelectAll() {
    // Index -1 selects every entry in one message.
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED;
    state.state = LVIS_SELECTED;
    if (SendMessageW(window_, LVM_GETITEMCOUNT, 0, 0) > 0 &&
        !SendMessageW(window_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                      reinterpret_cast<LPARAM>(&state)))
        throw std::runtime_error("the picture list could not select its entries");
}

bool PictureListView::IsSelected(int index) const {
    if (index < 0 || index >= SendMessageW(window_, LVM_GETITEMCOUNT, 0, 0))
        throw std::out_of_range("picture list index " + std::to_string(index));
    return SendMessageW(window_, LVM_GETITEMSTATE, index, LVIS_SELECTED) != 0;
}

void PictureListView::SetShortcutText(int index, const std::u16string& text) {
    SetSubItemText(index, kShortcutColumn, text);
}

void PictureListView::SetResultText(int index, const std::u16string& text) {
    SetSubItemText(index, kResultColumn, text);
}

void PictureListView::SetSubItemText(int index, int column, const std::u16string& text) {
    std::wstring wide = ToWide(text);
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = wide.data();
    if (!SendMessageW(window_, LVM_SETITEMTEXTW, index, reinterpret_cast<LPARAM>(&item)))
        throw std::out_of_range("picture list index " + std::to_string(index));
}

void PictureListView::ShowPicture(int index, HBITMAP picture) {
    int image = kImageNoPicture;
    if (picture && images_) {
        const int added = ImageLists().add(images_, picture, nullptr);
        if (added >= kFirstPictureImage) image = added;
    }
    LVITEMW item{};
    item.mask = LVIF_IMAGE;
    item.iItem = index;
    item.iImage = image;
    SendMessageW(window_, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

void PictureListView::FitColumns() {
    RECT client{};
    GetClientRect(window_, &client);
    int others = 0;
    for (int column = kPictureColumn; column < kResultColumn; ++column)
        others += static_cast<int>(SendMessageW(window_, LVM_GETCOLUMNWIDTH, column, 0));
    const int least = MulDiv(kColumns[kResultColumn].width, dpi_, 96);
    // The system's own fill of the last column knows what its scroll bars take.
    SendMessageW(window_, LVM_SETCOLUMNWIDTH, kResultColumn,
                 client.right - others > least ? LVSCW_AUTOSIZE_USEHEADER : least);
}

}  // namespace pimbrel::win32

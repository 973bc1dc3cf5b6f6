// The picture list as a list view; see picture_list_view.h.
#include "picture_list_view.h"

#include <algorithm>
#include <stdexcept>

#include "app/main_window_layout.h"
#include "app/picture_check.h"
#include "empty_list_hint.h"
#include "picture_drawing.h"
#include "system_files.h"
#include "win32_code_page.h"

namespace pimbrel::win32 {

namespace {

enum Column { kPictureColumn, kShortcutColumn, kResultColumn };

// How often a run's changes to the list are shown at most: often enough to follow a run by
// eye, rarely enough that drawing the list costs a fast run nothing measurable (at 200 ms it
// still cost a run of 1,624 pictures under Wine about a tenth of its time).
constexpr DWORD kRunRefreshMs = 500;

constexpr const wchar_t* kHeadings[] = {L"Picture", L"Shortcut", L"Result"};

// The image list's calls, from the common controls that start-up loaded (imported, they
// would load before the DLL search is narrowed).
struct ImageListCalls {
    using Create = HIMAGELIST(WINAPI*)(int, int, UINT, int, int);
    using Add = int(WINAPI*)(HIMAGELIST, HBITMAP, HBITMAP);
    using SetCount = BOOL(WINAPI*)(HIMAGELIST, UINT);
    Create create = nullptr;
    Add add = nullptr;
    SetCount setCount = nullptr;
};

const ImageListCalls& ImageLists() {
    static const ImageListCalls calls = [] {
        const HMODULE controls = GetModuleHandleW(L"comctl32.dll");
        return ImageListCalls{ExportOf<ImageListCalls::Create>(controls, "ImageList_Create"),
                              ExportOf<ImageListCalls::Add>(controls, "ImageList_Add"),
                              ExportOf<ImageListCalls::SetCount>(controls,
                                                                 "ImageList_SetImageCount")};
    }();
    return calls;
}

// Holds the list's drawing while it lives; the list is drawn anew, whole, after it.
class HeldDrawing {
public:
    explicit HeldDrawing(HWND list) : list_(list) { SendMessageW(list_, WM_SETREDRAW, FALSE, 0); }
    ~HeldDrawing() {
        SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list_, nullptr, TRUE);
    }
    HeldDrawing(const HeldDrawing&) = delete;
    HeldDrawing& operator=(const HeldDrawing&) = delete;

private:
    HWND list_;
};

}  // namespace

PictureListView::PictureListView(HWND list, int dpi)
    : Control(list), side_(MulDiv(kPictureSquareAt100, dpi, 96)), dpi_(dpi),
      refresh_(list, kRunRefreshMs, [this] { ShowChanges(); }) {
    SendMessageW(window_, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                 LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    for (int column = kPictureColumn; column <= kResultColumn; ++column) {
        LVCOLUMNW spec{};
        spec.mask = LVCF_TEXT | LVCF_SUBITEM;
        spec.pszText = const_cast<wchar_t*>(kHeadings[column]);
        spec.iSubItem = column;
        SendMessageW(window_, LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(&spec));
    }
    FitColumns();
    // Without the image list the rows simply show no pictures.
    const ImageListCalls& calls = ImageLists();
    if (!calls.create || !calls.add) return;
    images_ = calls.create(side_, side_, ILC_COLOR32, 64, 64);
    if (!images_) return;
    for (bool crossed : {false, true}) {
        HBITMAP placeholder = PlaceholderBitmap(side_, crossed);
        calls.add(images_, placeholder, nullptr);
        if (placeholder) DeleteObject(placeholder);
    }
    SendMessageW(window_, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images_));
}

void PictureListView::SetEnabled(bool enabled) {
    if (enabled) refresh_.Now();
    Control::SetEnabled(enabled);
}

void PictureListView::SetEntries(const std::vector<std::u16string>& names) {
    results_.clear();
    followed_ = -1;
    rows_.clear();
    rows_.reserve(names.size());
    for (const auto& name : names) rows_.push_back({ToWide(name), {}, {}, kImageLoading});
    // The pictures of the rows before go; the placeholders stay.
    if (images_ && ImageLists().setCount) ImageLists().setCount(images_, kFirstPictureImage);
    // The list holds no rows of its own, only their count: a thousand pictures cost it no
    // more than one, and it asks for the texts and images of the rows it draws.
    const HeldDrawing held(window_);
    if (!SendMessageW(window_, LVM_SETITEMCOUNT, rows_.size(), 0))
        throw std::runtime_error("the picture list could not take its entries");
}

void PictureListView::SelectAll() {
    // Index -1 selects every entry in one message.
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED;
    state.state = LVIS_SELECTED;
    // Wine's list selects the entries one by one, each drawn anew: not while drawing is held.
    const HeldDrawing held(window_);
    if (!rows_.empty() && !SendMessageW(window_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                                        reinterpret_cast<LPARAM>(&state)))
        throw std::runtime_error("the picture list could not select its entries");
}

bool PictureListView::IsSelected(int index) const {
    Row(index);
    return SendMessageW(window_, LVM_GETITEMSTATE, index, LVIS_SELECTED) != 0;
}

void PictureListView::SetShortcutText(int index, const std::u16string& text) {
    Row(index).shortcut = ToWide(text);
    Redraw(index);
}

void PictureListView::SetResultText(int index, const std::u16string& text) {
    Row(index);
    results_[index] = ToWide(text);
    refresh_.Request();
    if (IsWindowEnabled(window_)) refresh_.Now();  // outside a run, at once as ever
}

void PictureListView::Follow(int index) {
    Row(index);
    followed_ = index;
    refresh_.Request();
}

void PictureListView::ShowChanges() {
    std::vector<int> changed;
    for (auto& [index, text] : results_) {
        rows_[index].result = std::move(text);
        changed.push_back(index);
    }
    results_.clear();
    if (followed_ >= 0) {
        // The focus, not the selection: the selection is what the run enters, and stays.
        LVITEMW state{};
        state.stateMask = LVIS_FOCUSED;
        state.state = LVIS_FOCUSED;
        SendMessageW(window_, LVM_SETITEMSTATE, followed_, reinterpret_cast<LPARAM>(&state));
        SendMessageW(window_, LVM_ENSUREVISIBLE, followed_, FALSE);
        followed_ = -1;
    }
    for (int index : changed) Redraw(index);  // those in view after the scroll
}

void PictureListView::ShowPicture(int index, HBITMAP picture) {
    int image = kImageNoPicture;
    if (picture && images_) {
        const int added = ImageLists().add(images_, picture, nullptr);
        if (added >= kFirstPictureImage) image = added;
    }
    Row(index).image = image;
    Redraw(index);
}

PictureListView::Entry& PictureListView::Row(int index) {
    return const_cast<Entry&>(static_cast<const PictureListView*>(this)->Row(index));
}

const PictureListView::Entry& PictureListView::Row(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= rows_.size())
        throw std::out_of_range("picture list index " + std::to_string(index));
    return rows_[index];
}

void PictureListView::Redraw(int index) {
    // Only a row in view is drawn anew: under Wine each drawing asked for is a round trip to
    // the server, and the columns are filled for a thousand rows at once.
    const auto top = static_cast<int>(SendMessageW(window_, LVM_GETTOPINDEX, 0, 0));
    const auto rows = static_cast<int>(SendMessageW(window_, LVM_GETCOUNTPERPAGE, 0, 0));
    if (index >= top && index <= top + rows) SendMessageW(window_, LVM_REDRAWITEMS, index, index);
}

void PictureListView::FitColumns() {
    // The room of a vertical scroll bar is kept whether the list has one or not, so that the
    // columns never make the list scroll sideways as rows come and go.
    RECT client{};
    GetClientRect(window_, &client);
    const bool scrolls = (GetWindowLongW(window_, GWL_STYLE) & WS_VSCROLL) != 0;
    const auto widths =
        ColumnWidths(client.right - (scrolls ? 0 : GetSystemMetrics(SM_CXVSCROLL)), dpi_);
    for (int column = kPictureColumn; column <= kResultColumn; ++column)
        SendMessageW(window_, LVM_SETCOLUMNWIDTH, column, widths[column]);
}

ListMeasures PictureListView::Measures() {
    ListMeasures measures;
    RECT frame{}, client{};
    GetWindowRect(window_, &frame);
    GetClientRect(window_, &client);
    const LONG style = GetWindowLongW(window_, GWL_STYLE);
    measures.scrollBar = GetSystemMetrics(SM_CXVSCROLL);
    measures.edges = frame.right - frame.left - client.right -
                     (style & WS_VSCROLL ? measures.scrollBar : 0);
    if (HWND header = reinterpret_cast<HWND>(SendMessageW(window_, LVM_GETHEADER, 0, 0))) {
        RECT headings{};
        GetWindowRect(header, &headings);
        measures.headerHeight = headings.bottom - headings.top;
    }
    // A row's height, from a row of the list's own for a moment; a picture's square and a
    // little where the list gives none.
    const auto count = static_cast<WPARAM>(rows_.size());
    if (count == 0) SendMessageW(window_, LVM_SETITEMCOUNT, 1, LVSICF_NOINVALIDATEALL);
    RECT row{};
    row.left = LVIR_BOUNDS;
    if (SendMessageW(window_, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row)))
        measures.rowHeight = row.bottom - row.top;
    if (count == 0) SendMessageW(window_, LVM_SETITEMCOUNT, 0, 0);
    if (measures.rowHeight <= 0) measures.rowHeight = side_ + 2;
    return measures;
}

bool PictureListView::OnNotify(NMHDR& header, LRESULT& result) {
    if (header.hwndFrom != window_) return false;
    result = 0;
    if (header.code == LVN_GETDISPINFOW) {
        LVITEMW& item = reinterpret_cast<NMLVDISPINFOW&>(header).item;
        if (item.iItem < 0 || static_cast<std::size_t>(item.iItem) >= rows_.size()) return true;
        const Entry& row = rows_[item.iItem];
        if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
            const std::wstring& text = item.iSubItem == kShortcutColumn ? row.shortcut
                                       : item.iSubItem == kResultColumn ? row.result
                                                                        : row.name;
            lstrcpynW(item.pszText, text.c_str(), item.cchTextMax);
        }
        if (item.mask & LVIF_IMAGE) item.iImage = item.iSubItem == kPictureColumn ? row.image : -1;
        return true;
    }
    if (header.code == LVN_KEYDOWN) {
        // Ctrl+A selects every row, as in Explorer; the list has no such key of its own.
        if (reinterpret_cast<NMLVKEYDOWN&>(header).wVKey == 'A' && GetKeyState(VK_CONTROL) < 0)
            SelectAll();
        return true;
    }
    if (header.code == NM_CUSTOMDRAW) {
        result = PaintEmptyHint(reinterpret_cast<NMLVCUSTOMDRAW&>(header), rows_.empty(),
                                reinterpret_cast<const wchar_t*>(kEmptyListHint));
        return true;
    }
    if (header.code == LVN_ODFINDITEMW) {
        result = FindByName(reinterpret_cast<NMLVFINDITEMW&>(header));
        return true;
    }
    return false;
}

LRESULT PictureListView::FindByName(const NMLVFINDITEMW& find) const {
    // A letter typed in the list goes to the next entry whose name begins with what was
    // typed, as it did in the list box.
    if (!(find.lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) || !find.lvfi.psz) return -1;
    const std::wstring typed = find.lvfi.psz;
    const std::size_t count = rows_.size();
    const std::size_t start = find.iStart >= 0 ? static_cast<std::size_t>(find.iStart) : 0;
    for (std::size_t step = 0; step < count; ++step) {
        const std::size_t i = (start + step) % count;
        if (i < start && !(find.lvfi.flags & LVFI_WRAP)) break;
        const std::wstring& name = rows_[i].name;
        if (name.size() >= typed.size() &&
            CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, name.c_str(),
                           static_cast<int>(typed.size()), typed.c_str(),
                           static_cast<int>(typed.size())) == CSTR_EQUAL)
            return static_cast<LRESULT>(i);
    }
    return -1;
}

}  // namespace pimbrel::win32

// The picture list as a report-view list view: a row a picture, with its picture (or a
// placeholder) and name, its Shortcut and its Result, in the program's own order. The rows
// live here; the list only draws the ones in view.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <map>
#include <string>
#include <vector>

#include "app/window_size.h"
#include "form_controls.h"
#include "list_view_images.h"
#include "refresh_limit.h"

namespace pimbrel::win32 {

class PictureListView : public Control<FileListControl> {
public:
    // Gives the list its columns and its images for `dpi`.
    PictureListView(HWND list, int dpi);
    PictureListView(const PictureListView&) = delete;
    PictureListView& operator=(const PictureListView&) = delete;

    // While the list is disabled, as it is during a run, the Result texts and the row
    // followed are shown together, twice a second at most; enabling it shows them.
    void SetEnabled(bool enabled) override;
    void SetEntries(const std::vector<std::u16string>& names) override;
    void SelectAll() override;
    bool IsSelected(int index) const override;
    void SetShortcutText(int index, const std::u16string& text) override;
    void SetResultText(int index, const std::u16string& text) override;
    void Follow(int index) override;

    // The side in pixels of the square a picture is shown in.
    int PictureSide() const { return side_; }
    // Entry `index` shows `picture` (side x side, 32 bits with premultiplied alpha; the
    // list keeps a copy), or, for nullptr, the placeholder of a picture it cannot show.
    void ShowPicture(int index, HBITMAP picture);
    // After the list's size changed: the columns share its width.
    void FitColumns();
    // A row's height and what the list takes besides its rows, as the list has them now.
    ListMeasures Measures();
    // For the owner's WM_NOTIFY, which the list sends in its wide forms: the rows' texts and
    // images, the search for a typed name, Ctrl+A, and the text of the empty list. True when
    // the notification was the list's.
    bool OnNotify(NMHDR& header, LRESULT& result);

private:
    struct Entry {
        std::wstring name;
        std::wstring shortcut;
        std::wstring result;
        int image;
    };
    // Throws std::out_of_range for an index outside the list.
    Entry& Row(int index);
    const Entry& Row(int index) const;
    void Redraw(int index);
    void ShowChanges();
    LRESULT FindByName(const NMLVFINDITEMW& find) const;

    int side_;
    int dpi_;
    std::vector<Entry> rows_;
    HIMAGELIST images_ = nullptr;  // the list destroys it with itself
    std::map<int, std::wstring> results_;  // Result texts not shown yet, by row
    int followed_ = -1;                    // the row to follow, once shown
    RefreshLimit refresh_;
};

}  // namespace pimbrel::win32

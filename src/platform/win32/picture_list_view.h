// The picture list as a report-view list view: a row a picture, with its picture (or a
// placeholder) and name, its Shortcut and its Result, in the program's own order.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "form_controls.h"
#include "list_view_images.h"

namespace pimbrel::win32 {

class PictureListView : public Control<FileListControl> {
public:
    // Gives the list its columns and its images for `dpi`.
    PictureListView(HWND list, int dpi);
    PictureListView(const PictureListView&) = delete;
    PictureListView& operator=(const PictureListView&) = delete;

    void SetEntries(const std::vector<std::u16string>& names) override;
    void SelectAll() override;
    bool IsSelected(int index) const override;
    void SetShortcutText(int index, const std::u16string& text) override;
    void SetResultText(int index, const std::u16string& text) override;

    // The side in pixels of the square a picture is shown in.
    int PictureSide() const { return side_; }
    // Entry `index` shows `picture` (side x side, 32 bits with premultiplied alpha; the
    // list keeps a copy), or, for nullptr, the placeholder of a picture it cannot show.
    void ShowPicture(int index, HBITMAP picture);
    // After the list's size changed: the Result column takes the width the others leave.
    void FitColumns();

private:
    void SetSubItemText(int index, int column, const std::u16string& text);

    int side_;
    int dpi_;
    HIMAGELIST images_ = nullptr;  // the list destroys it with itself
};

}  // namespace pimbrel::win32

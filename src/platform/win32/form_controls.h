// frmMain's controls, made from the layout table in one loop, with the fonts and the banner's
// pictures that they show and the label's tool tip; and the toolkit pieces over them that
// FrmMain drives.
#pragma once
#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include "app/main_window_layout.h"
#include "banner_pictures.h"
#include "interfaces/toolkit.h"

namespace pimbrel::win32 {

class FormControls {
public:
    // Makes every control of the table on `form`, in table order, at its size for `dpi`.
    FormControls(HINSTANCE instance, HWND form, int dpi);
    // The controls go with the form; what they show goes here, after them.
    ~FormControls();
    FormControls(const FormControls&) = delete;
    FormControls& operator=(const FormControls&) = delete;

    // The control that the table names so; nullptr for the timer. Throws std::out_of_range
    // for a name the table does not have.
    HWND Window(const char* name) const;

    // Places the controls for a client area of that size in pixels, no smaller than the
    // table's: the anchored ones take the room the window has gained.
    void Arrange(int clientWidth, int clientHeight);

private:
    HWND form_;
    int dpi_;
    std::array<HWND, std::tuple_size_v<ControlTable>> windows_{};  // in table order
    HFONT dialogFont_ = nullptr;
    HFONT siteFont_ = nullptr;
    BannerPictures banner_;
};

// A control that the run switches off and on, as the toolkit piece `Piece`.
template <typename Piece>
class Control : public Piece {
public:
    explicit Control(HWND window) : window_(window) {}
    void SetEnabled(bool enabled) override { EnableWindow(window_, enabled ? TRUE : FALSE); }

protected:
    HWND window_;
};

using ControlSwitch = Control<Switchable>;

class CheckControl : public Control<CheckBoxControl> {
public:
    using Control::Control;
    int Value() const override {
        return static_cast<int>(SendMessageA(window_, BM_GETCHECK, 0, 0));
    }
};

// The window's timer of the given id; its ticks come to the window as WM_TIMER.
class WindowTimer : public RetryTimer {
public:
    WindowTimer(HWND window, UINT_PTR id) : window_(window), id_(id) {}
    void SetInterval(std::uint32_t milliseconds) override {
        if (milliseconds == 0)
            KillTimer(window_, id_);
        else
            SetTimer(window_, id_, milliseconds, nullptr);
    }

private:
    HWND window_;
    UINT_PTR id_;
};

}  // namespace pimbrel::win32

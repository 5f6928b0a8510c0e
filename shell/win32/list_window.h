// What the windows beside the terminal share ("Collected records",
// "Reception history"): a plain resizable window owned by the terminal, a
// list filling it, a status line and a row of buttons at the bottom right.
// Closing only hides it. A subclass makes its list and handles its buttons.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace kolibra {

class Win32ListWindow {
public:
    struct Button {
        int id;
        const wchar_t* label;
        int width;
    };
    static constexpr int kListId = 100, kStatusId = 101;

    virtual ~Win32ListWindow();
    Win32ListWindow(const Win32ListWindow&) = delete;
    Win32ListWindow& operator=(const Win32ListWindow&) = delete;

    HWND hwnd() const { return hwnd_; }
    HWND list() const { return list_; }
    HWND status() const { return status_; }
    HWND button(int id) const { return GetDlgItem(hwnd_, id); }

protected:
    // Creates the window, `width` x `height`, beside `owner` (or where
    // Windows puts it without one) inside the screen's work area, with its
    // status line and buttons.
    Win32ListWindow(const std::string& title, HWND owner, int width, int height, std::vector<Button> buttons);

    // Makes the list: a child control of the window with the list's number.
    HWND make_list(const wchar_t* window_class, DWORD style);
    void set_status(const std::string& utf8);
    // Shows and raises the window.
    void raise();

    // A button was clicked.
    virtual void on_button(int id) = 0;
    // A notification of the list.
    virtual void on_list_notify(const NMHDR&) {}

private:
    static LRESULT CALLBACK window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
    LRESULT handle(UINT message, WPARAM wparam, LPARAM lparam);
    void layout();

    HWND hwnd_ = nullptr;
    HWND list_ = nullptr;
    HWND status_ = nullptr;
    std::vector<Button> buttons_;
};

}  // namespace kolibra

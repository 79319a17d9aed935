#pragma once
// A window object behind a window handle, the way the platform's own samples write it:
// the object travels through CreateWindowExW's last argument, is stored at
// WM_NCCREATE, and every message after that goes to the object's HandleMessage.

#include <windows.h>

namespace sorvane::win32 {

class BaseWindow {
 public:
  BaseWindow() = default;
  BaseWindow(const BaseWindow&) = delete;
  BaseWindow& operator=(const BaseWindow&) = delete;
  // Destroys the window if it still exists; its last messages go to the default
  // handling, since the object is no longer whole.
  virtual ~BaseWindow();

  HWND Window() const noexcept { return window_; }

 protected:
  // Registers the class on first use and creates the window at the system's default
  // place. False when the system refuses.
  [[nodiscard]] bool Create(const wchar_t* className, DWORD style, HWND owner, HMENU menu);
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
  LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcW(window_, message, wParam, lParam);
  }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND window_ = nullptr;
};

}  // namespace sorvane::win32

#pragma once
// The program's one kind of message box: the application's title, the text and an OK
// button, modal to its window. Behind an interface, so that a test sees what the user
// was told without a real box.

#include <windows.h>

#include <string_view>

namespace sorvane::win32 {

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // Returns when the user has pressed OK or closed the box.
  virtual void Show(HWND owner, std::string_view text) = 0;
};

class SystemMessageBoxes final : public MessageBoxes {
 public:
  void Show(HWND owner, std::string_view text) override;
};

}  // namespace sorvane::win32

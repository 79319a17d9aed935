#include "ui/win32/message_loop.h"

namespace sorvane::win32 {

void DispatchWithDialogKeys(MSG& message) {
  const HWND topLevel = message.hwnd ? ::GetAncestor(message.hwnd, GA_ROOT) : nullptr;
  if (topLevel && ::IsDialogMessageW(topLevel, &message)) return;
  ::TranslateMessage(&message);
  ::DispatchMessageW(&message);
}

int RunMessageLoop() {
  MSG message{};
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) DispatchWithDialogKeys(message);
  return static_cast<int>(message.wParam);
}

void RunModalLoop(HWND window) {
  MSG message{};
  while (::IsWindow(window)) {
    if (::GetMessageW(&message, nullptr, 0, 0) <= 0) {
      ::PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    DispatchWithDialogKeys(message);
  }
}

void QuitMessageLoop::EndProgram() { ::PostQuitMessage(0); }

}  // namespace sorvane::win32

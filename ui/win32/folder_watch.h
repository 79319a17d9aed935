#pragma once
// Tells a window when an entry of one folder is added, removed or renamed: a thread of
// its own waits for the system's change notification and posts the window a message.

#include <windows.h>

#include <string>
#include <thread>

namespace sorvane::win32 {

class FolderWatch {
 public:
  // Each change posts `message` to `window`.
  FolderWatch(HWND window, UINT message);
  ~FolderWatch();
  FolderWatch(const FolderWatch&) = delete;
  FolderWatch& operator=(const FolderWatch&) = delete;

  // Watches `folder` (UTF-8) in place of the folder watched before. A folder on a
  // removable drive or a disc is not watched: the handle a watch holds would keep
  // Windows from ejecting the medium safely. Nor is one the system will not watch.
  void Watch(const std::string& folder);

 private:
  void Stop() noexcept;

  HWND window_;
  UINT message_;
  HANDLE stop_;
  HANDLE change_ = INVALID_HANDLE_VALUE;
  std::thread waiter_;
};

}  // namespace sorvane::win32

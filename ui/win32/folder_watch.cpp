#include "ui/win32/folder_watch.h"

#include "runtime/utf8_path.h"
#include "runtime/windows_text.h"

#include <array>
#include <system_error>

namespace sorvane::win32 {

FolderWatch::FolderWatch(HWND window, UINT message)
    : window_(window), message_(message), stop_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

FolderWatch::~FolderWatch() {
  Stop();
  if (stop_) ::CloseHandle(stop_);
}

void FolderWatch::Watch(const std::string& folder) {
  Stop();
  const UINT driveType = ::GetDriveTypeW(PathFromUtf8(folder).root_path().c_str());
  if (!stop_ || driveType == DRIVE_REMOVABLE || driveType == DRIVE_CDROM) return;
  change_ = ::FindFirstChangeNotificationW(
      WideFromUtf8(folder).c_str(), FALSE,
      FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME | FILE_NOTIFY_CHANGE_ATTRIBUTES);
  if (change_ == INVALID_HANDLE_VALUE) return;
  try {
    waiter_ = std::thread([window = window_, message = message_, handles = std::array{stop_, change_}] {
      while (::WaitForMultipleObjects(2, handles.data(), FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
        ::PostMessageW(window, message, 0, 0);
        if (!::FindNextChangeNotification(handles[1])) return;
      }
    });
  } catch (const std::system_error&) {
    // Without a thread the folder is read anew only when the window comes to the front.
    Stop();
  }
}

void FolderWatch::Stop() noexcept {
  if (waiter_.joinable()) {
    ::SetEvent(stop_);
    waiter_.join();
    ::ResetEvent(stop_);
  }
  if (change_ != INVALID_HANDLE_VALUE) ::FindCloseChangeNotification(change_);
  change_ = INVALID_HANDLE_VALUE;
}

}  // namespace sorvane::win32

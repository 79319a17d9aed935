#include "ui/win32/mounted_volumes.h"

#include "runtime/windows_text.h"

#include <windows.h>

#include <array>
#include <cwchar>

namespace sorvane::win32 {
namespace {

std::string Label(const wchar_t* root) {
  std::array<wchar_t, MAX_PATH + 1> label{};
  if (::GetDriveTypeW(root) == DRIVE_REMOTE ||
      !::GetVolumeInformationW(root, label.data(), static_cast<DWORD>(label.size()), nullptr, nullptr,
                               nullptr, nullptr, 0)) {
    return {};
  }
  return Utf8FromWide(label.data());
}

}  // namespace

std::vector<MountedVolume> Win32MountedVolumes() {
  std::array<wchar_t, 512> roots{};
  const DWORD length = ::GetLogicalDriveStringsW(static_cast<DWORD>(roots.size()), roots.data());
  std::vector<MountedVolume> volumes;
  // "A:\", "C:\" ... each ended by a NUL, the list by another.
  for (const wchar_t* root = roots.data(); length != 0 && *root; root += std::wcslen(root) + 1) {
    volumes.push_back({Utf8FromWide(root), {}, Label(root)});
  }
  return volumes;
}

}  // namespace sorvane::win32

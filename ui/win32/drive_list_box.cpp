#include "ui/win32/drive_list_box.h"

#include "runtime/windows_text.h"
#include "selection/mounted_drives.h"
#include "ui/win32/win32_design.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace sorvane::win32 {
namespace {

std::vector<std::string> DriveRoots() {
  std::array<wchar_t, 512> roots{};
  const DWORD length = ::GetLogicalDriveStringsW(static_cast<DWORD>(roots.size()), roots.data());
  std::vector<std::string> drives;
  // "A:\", "C:\" ... each ended by a NUL, the list by another.
  for (const wchar_t* root = roots.data(); length != 0 && *root; root += wcslen(root) + 1) {
    drives.push_back(Utf8FromWide(root));
  }
  return drives;
}

// "C: [label]"; a network drive is not asked for its label, which could take long.
std::wstring DriveText(const std::string& root) {
  const std::wstring wideRoot = Wide(root);
  std::wstring text = wideRoot.substr(0, 2);
  std::array<wchar_t, MAX_PATH + 1> label{};
  if (::GetDriveTypeW(wideRoot.c_str()) != DRIVE_REMOTE &&
      ::GetVolumeInformationW(wideRoot.c_str(), label.data(), static_cast<DWORD>(label.size()),
                              nullptr, nullptr, nullptr, nullptr, 0) &&
      label[0] != L'\0') {
    text += L" [" + std::wstring(label.data()) + L"]";
  }
  return text;
}

}  // namespace

DriveListBox::DriveListBox(HWND comboBox, const std::string& folder)
    : comboBox_(comboBox), drives_(DriveRoots()) {
  for (const std::string& drive : drives_) {
    texts_.push_back(DriveText(drive));
    ::SendMessageW(comboBox_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(texts_.back().c_str()));
  }
  ShowDriveOf(folder);
}

std::string DriveListBox::Drive() const {
  const LRESULT index = ::SendMessageW(comboBox_, CB_GETCURSEL, 0, 0);
  return index < 0 ? std::string() : drives_[static_cast<std::size_t>(index)];
}

void DriveListBox::ShowDriveOf(const std::string& folder) {
  // Drive letters ignore case: "c:\data" is on "C:\".
  std::string upper = folder;
  if (upper.size() > 1 && upper[1] == ':') upper[0] = static_cast<char>(std::toupper(upper[0]));
  const auto found = std::find(drives_.begin(), drives_.end(), DriveOf(upper, drives_));
  const WPARAM index = found == drives_.end() ? static_cast<WPARAM>(-1)
                                              : static_cast<WPARAM>(found - drives_.begin());
  ::SendMessageW(comboBox_, CB_SETCURSEL, index, 0);
}

void DriveListBox::Draw(const DRAWITEMSTRUCT& item) const {
  if (item.itemID >= texts_.size()) return;
  DrawEntry(item, texts_[item.itemID], 0);
}

bool DriveListBox::IsPick(WORD notification) const {
  if (notification == CBN_SELENDOK) return true;
  return notification == CBN_SELCHANGE && !::SendMessageW(comboBox_, CB_GETDROPPEDSTATE, 0, 0);
}

}  // namespace sorvane::win32

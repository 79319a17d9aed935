// The installers' helper for the system's PATH, run from their temporary folder and
// never installed:
//
//   sorvane-system-path add FOLDER      exit 0: added; 1: PATH held it already
//   sorvane-system-path remove FOLDER   exit 0: removed; 1: PATH did not hold it
//
// and 2 when the system's environment cannot be read or written, or for a wrong
// command line. PATH is read and written whole, however long, as the text it is stored
// as (its %SystemRoot% unexpanded, its type kept), and the programs running are told,
// so that a cmd.exe started afterwards from Explorer finds the programs.

#include "installer/path_entries.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace {

constexpr int kChanged = 0;
constexpr int kUnchanged = 1;
constexpr int kFailed = 2;

constexpr wchar_t kEnvironmentKey[] = L"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";

struct PathValue {
  std::wstring text;
  DWORD type = REG_EXPAND_SZ;
};

// The stored PATH; an empty one when there is none. Nothing when it cannot be read.
std::optional<PathValue> ReadPath(HKEY key) {
  PathValue value;
  DWORD bytes = 0;
  LSTATUS status = ::RegQueryValueExW(key, L"Path", nullptr, &value.type, nullptr, &bytes);
  if (status == ERROR_FILE_NOT_FOUND) return PathValue{};
  // The value may grow between the two calls; the loop reads it again then.
  while (status == ERROR_SUCCESS || status == ERROR_MORE_DATA) {
    if (value.type != REG_SZ && value.type != REG_EXPAND_SZ) return std::nullopt;
    value.text.resize(bytes / sizeof(wchar_t) + 1);
    bytes = static_cast<DWORD>(value.text.size() * sizeof(wchar_t));
    status = ::RegQueryValueExW(key, L"Path", nullptr, &value.type,
                                reinterpret_cast<BYTE*>(value.text.data()), &bytes);
    if (status == ERROR_SUCCESS) {
      value.text.resize(bytes / sizeof(wchar_t));
      // Stored with its terminating NUL, or without one.
      while (!value.text.empty() && value.text.back() == L'\0') value.text.pop_back();
      return value;
    }
  }
  return std::nullopt;
}

bool WritePath(HKEY key, const PathValue& value) {
  const auto bytes = static_cast<DWORD>((value.text.size() + 1) * sizeof(wchar_t));
  return ::RegSetValueExW(key, L"Path", 0, value.type,
                          reinterpret_cast<const BYTE*>(value.text.c_str()), bytes) == ERROR_SUCCESS;
}

int Change(std::wstring_view command, std::wstring_view folder) {
  HKEY key = nullptr;
  if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kEnvironmentKey, 0, KEY_QUERY_VALUE | KEY_SET_VALUE,
                      &key) != ERROR_SUCCESS) {
    return kFailed;
  }
  int result = kFailed;
  if (std::optional<PathValue> value = ReadPath(key)) {
    const bool adding = command == L"add";
    std::wstring changed = adding ? (sorvane::installer::HasPathEntry(value->text, folder)
                                         ? value->text
                                         : sorvane::installer::WithPathEntry(value->text, folder))
                                  : sorvane::installer::WithoutPathEntry(value->text, folder);
    if (changed == value->text) {
      result = kUnchanged;
    } else {
      value->text = std::move(changed);
      result = WritePath(key, *value) ? kChanged : kFailed;
    }
  }
  ::RegCloseKey(key);
  if (result == kChanged) {
    ::SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0,
                          reinterpret_cast<LPARAM>(L"Environment"), SMTO_ABORTIFHUNG, 5000, nullptr);
  }
  return result;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) return kFailed;
  const std::wstring_view command = argv[1];
  if (command != L"add" && command != L"remove") return kFailed;
  return Change(command, sorvane::installer::AsPathEntry(argv[2]));
}

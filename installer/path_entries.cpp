#include "installer/path_entries.h"

#include <algorithm>

namespace sorvane::installer {
namespace {

wchar_t FoldedAscii(wchar_t c) { return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c; }

std::wstring_view WithoutFinalBackslash(std::wstring_view folder) {
  return folder.ends_with(L'\\') ? folder.substr(0, folder.size() - 1) : folder;
}

bool SameFolder(std::wstring_view a, std::wstring_view b) {
  a = WithoutFinalBackslash(a);
  b = WithoutFinalBackslash(b);
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldedAscii(a[i]) != FoldedAscii(b[i])) return false;
  }
  return true;
}

}  // namespace

std::wstring_view AsPathEntry(std::wstring_view folder) {
  const bool driveRoot = folder.size() == 3 && folder[1] == L':';
  return driveRoot ? folder : WithoutFinalBackslash(folder);
}

bool HasPathEntry(std::wstring_view path, std::wstring_view folder) {
  for (std::size_t start = 0; start <= path.size();) {
    const std::size_t end = std::min(path.find(L';', start), path.size());
    if (SameFolder(path.substr(start, end - start), folder)) return true;
    start = end + 1;
  }
  return false;
}

std::wstring WithPathEntry(std::wstring_view path, std::wstring_view folder) {
  std::wstring result(path);
  if (result.empty()) return result.append(folder);
  if (result.ends_with(L';')) return result.append(folder).append(L";");
  return result.append(L";").append(folder);
}

std::wstring WithoutPathEntry(std::wstring_view path, std::wstring_view folder) {
  const std::wstring entry(folder);
  std::wstring result(path);
  if (result == entry) return {};
  // Last, after the ";" it was given; first, when PATH was empty, with entries added
  // after it since; else between two, with the ";" before it.
  if (result.ends_with(L";" + entry)) return result.erase(result.size() - entry.size() - 1);
  if (result.starts_with(entry + L";")) return result.erase(0, entry.size() + 1);
  if (const std::size_t at = result.rfind(L";" + entry + L";"); at != std::wstring::npos) {
    return result.erase(at, entry.size() + 1);
  }
  return result;
}

}  // namespace sorvane::installer

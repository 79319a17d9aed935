// Wildcards in command-line arguments on Windows, where no shell expands them: cmd.exe
// and PowerShell hand "*.csv" to the program as typed, and the program expands it.

#include "runtime/program_io.h"

#include "runtime/hidden_entries.h"
#include "runtime/platform/windows_text.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <algorithm>
#include <string_view>

namespace sorvane {
namespace {

bool HasWildcards(std::wstring_view text) { return text.find_first_of(L"*?") != std::wstring_view::npos; }

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

// The text in upper case, as the file system compares names.
std::wstring Folded(std::wstring_view text) {
  std::wstring folded(text);
  const int size = static_cast<int>(text.size());
  ::LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, text.data(), size, folded.data(), size,
                  nullptr, nullptr, 0);
  return folded;
}

// Whether `name` matches `pattern`, both folded: "*" stands for any run of characters,
// "?" for any one. Going back only to the last "*" keeps the time within the product of
// the two lengths, however many stars the pattern holds.
bool Matches(std::wstring_view name, std::wstring_view pattern) {
  constexpr std::size_t kNoStar = std::wstring_view::npos;
  std::size_t n = 0;
  std::size_t p = 0;
  std::size_t star = kNoStar;
  std::size_t resume = 0;  // where the name goes on should the last star take one more
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == L'*') {
      star = p++;
      resume = n;
    } else if (p < pattern.size() && (pattern[p] == L'?' || pattern[p] == name[n])) {
      ++p;
      ++n;
    } else if (star != kNoStar) {
      p = star + 1;
      n = ++resume;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == L'*') ++p;
  return p == pattern.size();
}

// What a pattern's matches must be: a component followed by a separator names folders,
// the last one files, as cmd.exe's `for` takes them.
enum class EntryKind { Folder, File };

bool IsFolder(DWORD attributes) { return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

// The paths of the entries of kind `wanted` in `folder` (as typed: empty for the
// current folder, else ending in a separator or a drive's colon) whose names match
// `pattern`. What Explorer and the window's lists hide is left out.
std::vector<std::wstring> MatchingEntries(const std::wstring& folder, std::wstring_view pattern,
                                          EntryKind wanted) {
  std::vector<std::wstring> paths;
  const std::wstring folded = Folded(pattern);
  WIN32_FIND_DATAW entry{};
  const HANDLE search = ::FindFirstFileExW((folder + L"*").c_str(), FindExInfoBasic, &entry,
                                           FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (search == INVALID_HANDLE_VALUE) return paths;
  do {
    const std::wstring_view name = entry.cFileName;
    const EntryKind kind = IsFolder(entry.dwFileAttributes) ? EntryKind::Folder : EntryKind::File;
    if (name == L"." || name == L".." || kind != wanted) continue;
    std::wstring path = folder + std::wstring(name);
    if (Matches(Folded(name), folded) && !IsHiddenFromBrowsing(Utf8FromWide(path))) {
      paths.push_back(std::move(path));
    }
  } while (::FindNextFileW(search, &entry));
  ::FindClose(search);
  return paths;
}

bool IsFile(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !IsFolder(attributes);
}

}  // namespace

std::vector<std::string> ExpandWildcards(const std::string& argument) {
  const std::wstring wide = WideFromUtf8(argument);
  // A "\\?\" or "\\.\" path goes to the system as it is; its "?" is no wildcard.
  if (!HasWildcards(wide) || wide.starts_with(L"\\\\?\\") || wide.starts_with(L"\\\\.\\")) {
    return {argument};
  }
  // Every path matched so far, up to where the next component begins. A drive stays as
  // typed, so that "C:*.csv" is looked for in drive C's current folder.
  std::vector<std::wstring> matched = {wide.size() >= 2 && wide[1] == L':' ? wide.substr(0, 2) : L""};
  for (std::size_t start = matched.front().size(); start < wide.size();) {
    std::size_t end = start;
    while (end < wide.size() && !IsSeparator(wide[end])) ++end;
    std::size_t next = end;
    while (next < wide.size() && IsSeparator(wide[next])) ++next;
    const std::wstring_view component(wide.data() + start, end - start);
    const std::wstring_view separators(wide.data() + end, next - end);
    if (HasWildcards(component)) {
      std::vector<std::wstring> expanded;
      for (const std::wstring& folder : matched) {
        const EntryKind wanted = separators.empty() ? EntryKind::File : EntryKind::Folder;
        for (std::wstring& path : MatchingEntries(folder, component, wanted)) {
          expanded.push_back(path.append(separators));
        }
      }
      matched = std::move(expanded);
    } else {
      for (std::wstring& path : matched) path.append(component).append(separators);
    }
    start = next;
  }
  // The components after the last wildcard were not looked up yet; they must end in a
  // file too. A pattern whose matches are all folders names no file, and stays as typed.
  std::erase_if(matched, [](const std::wstring& path) { return !IsFile(path); });
  if (matched.empty()) return {argument};

  std::sort(matched.begin(), matched.end(), [](const std::wstring& a, const std::wstring& b) {
    const int order = ::CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE);
    return order == CSTR_LESS_THAN || (order == CSTR_EQUAL && a < b);
  });
  std::vector<std::string> paths;
  paths.reserve(matched.size());
  for (const std::wstring& path : matched) paths.push_back(Utf8FromWide(path));
  return paths;
}

}  // namespace sorvane

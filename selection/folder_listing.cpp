#include "selection/folder_listing.h"

#include "runtime/hidden_entries.h"
#include "runtime/utf8_path.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace sorvane {
namespace {

namespace fs = std::filesystem;

// Unsigned, so that names in UTF-8 sort after plain ASCII ones.
unsigned char LowerAscii(char c) noexcept {
  const auto byte = static_cast<unsigned char>(c);
  return byte < 0x80 ? static_cast<unsigned char>(std::tolower(byte)) : byte;
}

// Case-insensitive first, so "b.csv" sits beside "B.csv"; the exact bytes break ties
// so the order never depends on how the folder happens to be read.
bool ListOrder(const std::string& a, const std::string& b) {
  const auto lessIgnoringCase = [](char x, char y) { return LowerAscii(x) < LowerAscii(y); };
  if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), lessIgnoringCase)) {
    return true;
  }
  if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), lessIgnoringCase)) {
    return false;
  }
  return a < b;
}

enum class EntryKind { Folder, RegularFile };

// Entries whose kind cannot be told (a dangling link, no permission) are left out.
std::optional<std::vector<std::string>> ListEntries(const std::string& folder, EntryKind kind,
                                                    std::string_view pattern) {
  std::error_code error;
  fs::directory_iterator entries(PathFromUtf8(folder), error);
  if (error) return std::nullopt;
  std::vector<std::string> names;
  for (; entries != fs::directory_iterator(); entries.increment(error)) {
    std::string name = Utf8FromPath(entries->path().filename());
    if (IsHiddenFromBrowsing(Utf8FromPath(entries->path()))) continue;
    std::error_code statusError;
    const bool wanted = kind == EntryKind::Folder ? entries->is_directory(statusError)
                                                  : entries->is_regular_file(statusError);
    if (!wanted || statusError) continue;
    if (kind == EntryKind::RegularFile && !MatchesPattern(name, pattern)) continue;
    names.push_back(std::move(name));
  }
  if (error) return std::nullopt;
  std::sort(names.begin(), names.end(), ListOrder);
  return names;
}

}  // namespace

bool MatchesPattern(std::string_view name, std::string_view pattern) noexcept {
  // Greedy matching with one backtrack point: the last "*" seen.
  std::size_t n = 0;
  std::size_t p = 0;
  std::size_t starPattern = std::string_view::npos;
  std::size_t starName = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || LowerAscii(pattern[p]) == LowerAscii(name[n]))) {
      ++n;
      ++p;
    } else if (p < pattern.size() && pattern[p] == '*') {
      starPattern = p++;
      starName = n;
    } else if (starPattern != std::string_view::npos) {
      p = starPattern + 1;
      n = ++starName;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

std::optional<std::vector<std::string>> ListSubfolders(const std::string& folder) {
  return ListEntries(folder, EntryKind::Folder, {});
}

std::optional<std::vector<std::string>> ListMatchingFiles(const std::string& folder,
                                                          std::string_view pattern) {
  return ListEntries(folder, EntryKind::RegularFile, pattern);
}

std::vector<std::string> FolderChain(const std::string& folder) {
  const fs::path path = PathFromUtf8(folder);
  fs::path walked = path.root_path();
  std::vector<std::string> chain{Utf8FromPath(walked)};
  for (const fs::path& part : path.relative_path()) {
    if (part.empty()) continue;
    walked /= part;
    chain.push_back(Utf8FromPath(walked));
  }
  return chain;
}

}  // namespace sorvane

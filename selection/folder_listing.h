#pragma once
// What the directory and file lists show of one folder. Folders and names are the
// program's UTF-8 paths (on Linux the file system's own bytes, so a name that is not
// UTF-8 lists and opens as it is); entries a file manager hides (a leading "." on POSIX
// systems, the hidden or system attribute on Windows) are left out.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sorvane {

// Whether `name` matches `pattern`: "*" stands for any run of characters, "?" for one,
// and letters match regardless of case, so "*.csv" also finds "POINTS.CSV".
bool MatchesPattern(std::string_view name, std::string_view pattern) noexcept;

// The folders inside `folder` (symbolic links to folders included), sorted. Nothing
// when `folder` cannot be read.
[[nodiscard]] std::optional<std::vector<std::string>> ListSubfolders(const std::string& folder);

// The regular files inside `folder` whose names match `pattern`, sorted. Nothing when
// `folder` cannot be read.
[[nodiscard]] std::optional<std::vector<std::string>> ListMatchingFiles(const std::string& folder,
                                                                        std::string_view pattern);

// The folders from the root down to `folder` itself, each a full path: "/", "/home",
// "/home/ann" (on Windows "C:/", "C:/data"). `folder` is absolute.
std::vector<std::string> FolderChain(const std::string& folder);

}  // namespace sorvane

#pragma once
// What the directory and file lists show of one folder, read through the file system
// in use (runtime/matching_entries.h), so that a folder at any depth lists. Folders and
// names are the program's UTF-8 paths (on Linux the file system's own bytes, so a name
// that is not UTF-8 lists and opens as it is); entries a file manager hides (a leading
// "." on POSIX systems, the hidden or system attribute on Windows) are left out.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sorvane {

// The folders inside `folder` (symbolic links to folders included), in the order of
// names (NameComesBefore). Nothing when `folder` cannot be read.
[[nodiscard]] std::optional<std::vector<std::string>> ListSubfolders(const std::string& folder);

// The regular files inside `folder` whose names match `pattern` (MatchesPattern: in
// any letter case), in the order of names. Nothing when `folder` cannot be read.
[[nodiscard]] std::optional<std::vector<std::string>> ListMatchingFiles(const std::string& folder,
                                                                        std::string_view pattern);

// The folders from the root down to `folder` itself, each a full path: "/", "/home",
// "/home/ann" (on Windows "C:/", "C:/data"). `folder` is absolute.
std::vector<std::string> FolderChain(const std::string& folder);

}  // namespace sorvane

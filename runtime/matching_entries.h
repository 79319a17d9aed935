#pragma once
// What a person is shown of a folder: its entries of one kind whose names match a
// pattern, without those a file manager hides, in one order. The window's lists and
// the batch converter's wildcards on Windows both read folders so, through the file
// system in use (CurrentFileSystem), and so list alike on every system and at any
// length of path.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sorvane {

// A folder is a directory, a file a regular file, either of them also when a symbolic
// link leads to it.
enum class EntryKind { Folder, File };

// The names of the entries of `kind` in `folder` (as FileSystem::ListFolder takes it)
// that match `pattern` (MatchesPattern), sorted by NameComesBefore. Hidden entries
// (FolderEntry::hidden) and those whose kind cannot be told are left out. Nothing when
// `folder` cannot be read. Throws nothing but std::bad_alloc.
[[nodiscard]] std::optional<std::vector<std::string>> ListMatchingEntries(const std::string& folder,
                                                                          EntryKind kind,
                                                                          std::string_view pattern);

}  // namespace sorvane

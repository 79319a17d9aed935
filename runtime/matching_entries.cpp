#include "runtime/matching_entries.h"

#include "runtime/file_name_pattern.h"
#include "runtime/file_system.h"

#include <algorithm>

namespace sorvane {

std::optional<std::vector<std::string>> ListMatchingEntries(const std::string& folder, EntryKind kind,
                                                            std::string_view pattern) {
  std::optional<std::vector<FolderEntry>> entries = CurrentFileSystem().ListFolder(folder);
  if (!entries) return std::nullopt;
  const PathKind wanted = kind == EntryKind::Folder ? PathKind::Directory : PathKind::RegularFile;
  std::vector<std::string> names;
  for (FolderEntry& entry : *entries) {
    if (entry.kind == wanted && !entry.hidden && MatchesPattern(entry.name, pattern)) {
      names.push_back(std::move(entry.name));
    }
  }
  std::sort(names.begin(), names.end(), NameComesBefore);
  return names;
}

}  // namespace sorvane

#include "selection/folder_listing.h"

#include "runtime/matching_entries.h"
#include "runtime/utf8_path.h"

#include <filesystem>

namespace sorvane {

std::optional<std::vector<std::string>> ListSubfolders(const std::string& folder) {
  return ListMatchingEntries(folder, EntryKind::Folder, "*");
}

std::optional<std::vector<std::string>> ListMatchingFiles(const std::string& folder,
                                                          std::string_view pattern) {
  return ListMatchingEntries(folder, EntryKind::File, pattern);
}

std::vector<std::string> FolderChain(const std::string& folder) {
  const std::filesystem::path path = PathFromUtf8(folder);
  std::filesystem::path walked = path.root_path();
  std::vector<std::string> chain{Utf8FromPath(walked)};
  for (const std::filesystem::path& part : path.relative_path()) {
    if (part.empty()) continue;
    walked /= part;
    chain.push_back(Utf8FromPath(walked));
  }
  return chain;
}

}  // namespace sorvane

// Wildcards in command-line arguments on Windows, where no shell expands them: cmd.exe
// and PowerShell hand "*.csv" to the program as typed, and the program expands it. It
// reads each folder as the window's lists do (runtime/matching_entries.h), so that a
// pattern finds what the window shows, in the same order.

#include "runtime/program_io.h"

#include "runtime/file_name_pattern.h"
#include "runtime/file_system.h"
#include "runtime/matching_entries.h"

#include <algorithm>
#include <string_view>

namespace sorvane {
namespace {

constexpr std::string_view kSeparators = "\\/";

bool HasWildcards(std::string_view text) { return text.find_first_of("*?") != std::string_view::npos; }

// Where the run of characters from `from` that are (or are not) separators ends.
std::size_t EndOfRun(std::string_view text, std::size_t from, bool separators) {
  const std::size_t end = separators ? text.find_first_not_of(kSeparators, from)
                                     : text.find_first_of(kSeparators, from);
  return end == std::string_view::npos ? text.size() : end;
}

}  // namespace

std::vector<std::string> ExpandWildcards(const std::string& argument) {
  // A "\\?\" or "\\.\" path goes to the system as it is; its "?" is no wildcard.
  if (!HasWildcards(argument) || argument.starts_with("\\\\?\\") || argument.starts_with("\\\\.\\")) {
    return {argument};
  }
  // Every path matched so far, up to where the next component begins. A drive stays as
  // typed, so that "C:*.csv" is looked for in drive C's current folder.
  std::vector<std::string> matched = {argument.size() >= 2 && argument[1] == ':' ? argument.substr(0, 2) : ""};
  bool filesMatched = false;  // whether the last component was a pattern for files
  for (std::size_t start = matched.front().size(); start < argument.size();) {
    const std::size_t end = EndOfRun(argument, start, false);
    const std::size_t next = EndOfRun(argument, end, true);
    const std::string_view component(argument.data() + start, end - start);
    const std::string_view separators(argument.data() + end, next - end);
    if (HasWildcards(component)) {
      // A component followed by a separator names folders, the last one files, as
      // cmd.exe's `for` takes them.
      const EntryKind kind = separators.empty() ? EntryKind::File : EntryKind::Folder;
      std::vector<std::string> expanded;
      for (const std::string& folder : matched) {
        const std::optional<std::vector<std::string>> names = ListMatchingEntries(folder, kind, component);
        if (!names) continue;  // a folder that cannot be read holds no match
        for (const std::string& name : *names) expanded.push_back(folder + name + std::string(separators));
      }
      matched = std::move(expanded);
      filesMatched = kind == EntryKind::File;
    } else {
      for (std::string& path : matched) path.append(component).append(separators);
      filesMatched = false;
    }
    start = next;
  }
  // The components after the last wildcard were not looked up yet; they must end in a
  // file too. A pattern whose matches are all folders names no file, and stays as typed.
  if (!filesMatched) {
    std::erase_if(matched, [](const std::string& path) {
      return CurrentFileSystem().Status(path).kind != PathKind::RegularFile;
    });
  }
  if (matched.empty()) return {argument};
  // As a shell sorts: whole paths, not folder by folder.
  std::sort(matched.begin(), matched.end(), NameComesBefore);
  return matched;
}

}  // namespace sorvane

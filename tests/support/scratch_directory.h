#pragma once
// Helpers shared by the tests that touch the file system: a fresh directory per test,
// removed afterwards, and a record of what a run told the user.

#include "runtime/message_sink.h"
#include "runtime/utf8_path.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace sorvane::testing {

// A new empty directory under the system's temporary directory; the test also works
// inside it, so that relative paths and the template looked up in the current
// directory resolve there. The previous current directory comes back afterwards.
class ScratchDirectory {
 public:
  ScratchDirectory() {
    std::random_device entropy;
    for (int attempt = 0; path_.empty(); ++attempt) {
      const std::filesystem::path candidate =
          std::filesystem::temp_directory_path() / ("sorvane-test-" + std::to_string(entropy()));
      if (std::filesystem::create_directory(candidate)) path_ = candidate.string();
      if (attempt == 100) throw std::runtime_error("cannot make a scratch directory");
    }
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(path_);
  }
  ~ScratchDirectory() {
    std::error_code ignored;
    std::filesystem::current_path(previous_, ignored);
    // A test may have taken the write permission away; give it back to clean up. (On
    // Windows a read-only file cannot even be removed.)
    for (auto it = std::filesystem::recursive_directory_iterator(path_, ignored);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
      if (!it->is_symlink(ignored)) {
        std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
      }
    }
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;

  const std::string& Path() const { return path_; }
  std::string operator/(std::string_view name) const { return path_ + "/" + std::string(name); }

 private:
  std::string path_;
  std::filesystem::path previous_;
};

inline void WriteFile(const std::string& path, std::string_view bytes) {
  std::ofstream file(PathFromUtf8(path), std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!file) throw std::runtime_error("cannot write " + path);
}

inline std::string ReadPath(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

inline std::string ReadFile(const std::string& path) { return ReadPath(PathFromUtf8(path)); }

// A file's bytes as a snapshot keeps them: a short file as it is, a long one as its
// size and hash, so that a failed comparison prints a few lines, not megabytes.
inline std::string Fingerprint(const std::string& bytes) {
  constexpr std::size_t kShown = 256;
  if (bytes.size() <= kShown) return bytes;
  return std::to_string(bytes.size()) + " bytes, hash " +
         std::to_string(std::hash<std::string>{}(bytes));
}

// Everything below `root`: each file with its fingerprint, each link with its target, each
// directory marked as such. Two equal snapshots mean that nothing was created, removed
// or changed.
inline std::map<std::string, std::string> Snapshot(const std::string& root) {
  std::map<std::string, std::string> entries;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    const std::string name = entry.path().lexically_relative(root).string();
    // Links are not followed: a link that loops or dangles is an entry like any other.
    const std::filesystem::file_status status = entry.symlink_status();
    if (std::filesystem::is_symlink(status)) {
      entries[name] = "link to " + std::filesystem::read_symlink(entry.path()).string();
    } else if (std::filesystem::is_directory(status)) {
      entries[name] = "directory";
    } else {
      entries[name] = Fingerprint(ReadPath(entry.path()));
    }
  }
  return entries;
}

// The names of temporary output files left anywhere below `root`.
inline std::vector<std::string> TemporaryFilesBelow(const std::string& root) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    if (entry.path().filename().string().starts_with(".sorvane-")) {
      names.push_back(entry.path().string());
    }
  }
  return names;
}

class RecordingSink : public MessageSink {
 public:
  void ShowMessage(std::string_view message) override { messages.emplace_back(message); }
  std::vector<std::string> messages;
};

}  // namespace sorvane::testing

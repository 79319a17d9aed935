#include "runtime/replacement_file.h"

#include "runtime/path_names.h"
#include "runtime/temporary_owner.h"

#include <algorithm>
#include <mutex>
#include <new>
#include <set>
#include <tuple>

namespace sorvane {
namespace {

// Links that point at links: more hops than any real chain, fewer than a loop takes.
constexpr int kMaxLinkHops = 40;

// The path of the file that `path` names once every symbolic link at its end is
// followed; a link that points nowhere yet gives the path where the file will be.
std::string FollowLinks(std::string path, FileSystem& fileSystem) {
  for (int hop = 0; hop < kMaxLinkHops; ++hop) {
    std::optional<std::string> target = fileSystem.LinkTarget(path);
    if (!target) return path;
    path = IsAbsolutePath(*target) ? std::move(*target) : JoinPath(DirectoryOf(path), *target);
  }
  return path;
}

// Removes the temporary files that runs killed part way left in `directory`, and never
// one a run still holds, nor one of another machine, whose hold may not reach this one
// over the network. Once per folder and process: a batch of thousands of inputs in one
// folder would otherwise read the folder thousands of times.
void RemoveAbandonedTemporaries(const std::string& directory, FileSystem& fileSystem) {
  const PathStatus folder = fileSystem.Status(directory);
  if (folder.kind != PathKind::Directory) return;  // nothing can be written there either
  static std::mutex mutex;
  // The folder's identity tells "." apart in two current folders, its path a new folder
  // that the system gave a removed one's identity.
  static std::set<std::tuple<std::string, std::uint64_t, std::uint64_t>> cleaned;
  {
    const std::lock_guard lock(mutex);
    if (!cleaned.emplace(directory, folder.identity.device, folder.identity.inode).second) return;
  }
  const std::uint32_t thisMachine = ThisProcessAsOwner().machine;
  for (const std::string& name : fileSystem.ListTemporaries(directory)) {
    const std::optional<TemporaryOwner> owner = OwnerOfTemporary(name);
    if (owner && owner->machine == thisMachine) {
      // Held by a run, or removed by another just now: either way there is nothing to do.
      static_cast<void>(fileSystem.RemoveAbandonedTemporary(JoinPath(directory, name)));
    }
  }
}

}  // namespace

ReplacementFile::~ReplacementFile() { Discard(); }

ReplacementFile::CreateStatus ReplacementFile::Create(const std::string& path,
                                                      std::span<const FileIdentity> inputs) {
  Discard();
  if (path.empty()) return CreateStatus::EmptyName;
  FileSystem& fileSystem = CurrentFileSystem();
  finalPath_ = FollowLinks(path, fileSystem);

  const PathStatus existing = fileSystem.Status(finalPath_);
  replacesExisting_ = existing.kind != PathKind::Nothing;
  if (replacesExisting_) {
    if (std::any_of(inputs.begin(), inputs.end(), [&](const FileIdentity& input) {
          return SameFile(input, existing.identity);
        })) {
      return CreateStatus::SameAsInput;
    }
    // Only a file may be replaced, and only one this user may write: replacing needs
    // just the folder's permission, but a protected file stays protected all the same.
    // Whatever cannot be told (a loop of links) is not replaced either.
    if (existing.kind != PathKind::RegularFile || !existing.writable) {
      return CreateStatus::CannotCreate;
    }
  }

  const std::string directory = DirectoryOf(finalPath_);
  RemoveAbandonedTemporaries(directory, fileSystem);
  std::optional<TemporaryFile> temporary = fileSystem.CreateTemporary(directory);
  if (!temporary) return CreateStatus::CannotCreate;
  temporary_ = std::move(*temporary);
  return CreateStatus::Created;
}

bool ReplacementFile::Commit() {
  FileSystem& fileSystem = CurrentFileSystem();
  bool done = !replacesExisting_ || fileSystem.CopyPermissions(finalPath_, temporary_.handle);
  // Durable before it is named or put in place, so that a crash never puts an
  // unwritten file where the old one was.
  done = done && fileSystem.Sync(temporary_.handle);
  done = done && fileSystem.KeepTemporary(temporary_, DirectoryOf(finalPath_));
  const bool closed = fileSystem.Close(temporary_.handle);
  temporary_.handle = kNoFile;
  // Still held through its lock while it is put in place.
  done = done && closed && fileSystem.Replace(temporary_.path, finalPath_);
  if (!done) {
    Discard();
    return false;
  }
  ReleaseLock();
  temporary_ = {};
  return true;
}

void ReplacementFile::Discard() noexcept {
  FileSystem& fileSystem = CurrentFileSystem();
  // Nothing of it is kept, so a failure to close or remove it changes nothing more: a
  // temporary that stays is removed by the next run in its folder. So does a path whose
  // text finds no memory to be converted for the system.
  if (temporary_.handle != kNoFile) static_cast<void>(fileSystem.Close(temporary_.handle));
  if (!temporary_.path.empty()) {
    try {
      static_cast<void>(fileSystem.Remove(temporary_.path));
    } catch (const std::bad_alloc&) {
      // left for the next run, as any temporary that cannot be removed
    }
  }
  ReleaseLock();
  temporary_ = {};
}

void ReplacementFile::ReleaseLock() noexcept {
  // Only held, never written through, so closing it can lose nothing.
  if (temporary_.lock != kNoFile) static_cast<void>(CurrentFileSystem().Close(temporary_.lock));
  temporary_.lock = kNoFile;
}

}  // namespace sorvane

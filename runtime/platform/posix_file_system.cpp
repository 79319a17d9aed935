// The file system on POSIX systems (Linux, macOS).

#include "runtime/native_file_system.h"

#include "runtime/path_names.h"
#include "runtime/platform/posix_named_temporary.h"
#include "runtime/temporary_owner.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#ifdef __linux__
#include <array>
#include <mntent.h>
#else
#include <sys/mount.h>
#endif

namespace sorvane {
namespace {

// How many names to try before giving up on a folder full of our temporaries.
constexpr int kTemporaryNameAttempts = 100;

int Descriptor(FileHandle file) { return static_cast<int>(file); }

FileIdentity IdentityOf(const struct stat& status) {
  return {static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino), true};
}

// Writes all `size` bytes through `writeSome(data, size, done)`, a call that writes a
// part and returns how much, `done` bytes having gone before; interrupted calls are
// made again. False on any failure.
template <typename WriteSome>
bool WriteAll(const char* data, std::size_t size, WriteSome writeSome) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t written = writeSome(data + done, size - done, done);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    done += static_cast<std::size_t>(written);
  }
  return true;
}

// Takes the lock by which a run holds its temporary: a lock of the open file, so that
// no second opening, even in this process, can take it while this one lives. False when
// another run took it first. A file system without locks has none to take here, nor
// to take from here.
bool Hold(int fd) { return ::flock(fd, LOCK_EX | LOCK_NB) == 0 || errno != EWOULDBLOCK; }

// Gives a temporary file a fresh hidden name in `directory` through `makeAt(path)`,
// trying other names while the one tried is taken (`makeAt` fails with EEXIST). The
// name is remembered before the file appears, so that an interruption right after
// removes it. Nothing when `makeAt` fails for any other reason.
template <typename MakeAt>
std::optional<std::string> UnderFreshName(const std::string& directory, MakeAt makeAt) {
  for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
    std::string path = JoinPath(directory, NextTemporaryName());
    RememberNamedTemporary(path);
    if (makeAt(path)) return path;
    ForgetNamedTemporary();
    if (errno != EEXIST) return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace

std::optional<OpenedFile> NativeFileSystem::OpenForReading(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat status {};
  if (::fstat(fd, &status) != 0 || S_ISDIR(status.st_mode)) {
    ::close(fd);
    return std::nullopt;
  }
  return OpenedFile{fd, IdentityOf(status)};
}

std::ptrdiff_t NativeFileSystem::Read(FileHandle file, char* buffer, std::size_t size) noexcept {
  ssize_t got;
  do {
    got = ::read(Descriptor(file), buffer, size);
  } while (got < 0 && errno == EINTR);
  return got;
}

bool NativeFileSystem::Rewind(FileHandle file) noexcept {
  return ::lseek(Descriptor(file), 0, SEEK_SET) == 0;  // a pipe cannot seek
}

std::optional<TemporaryFile> NativeFileSystem::CreateTemporary(const std::string& directory) {
  // 0666: the umask (and a default ACL) decide, as for any new file.
#ifdef O_TMPFILE
  // A file without a name: whatever ends the process, even a kill or a power cut,
  // leaves nothing behind. Some network and FUSE file systems refuse it; the file then
  // gets a hidden name instead. No other run can see it before it has a name, nor
  // take its lock, so it is held by then.
  const int unnamed = ::open(directory.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
  if (unnamed >= 0) {
    static_cast<void>(Hold(unnamed));
    return TemporaryFile{unnamed, {}};
  }
#endif
  int fd = -1;
  std::optional<std::string> path = UnderFreshName(directory, [&](const std::string& name) {
    fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    // Another run may have found the file in the moment before the lock, taken it for
    // one a killed run left, and removed it or be about to: then another name.
    struct stat status {};
    if (Hold(fd) && ::fstat(fd, &status) == 0 && status.st_nlink > 0) return true;
    ::close(fd);
    errno = EEXIST;
    return false;
  });
  if (!path) return std::nullopt;
  return TemporaryFile{fd, std::move(*path)};
}

bool NativeFileSystem::Write(FileHandle file, const char* data, std::size_t size) noexcept {
  return WriteAll(data, size, [&](const char* part, std::size_t length, std::size_t) {
    return ::write(Descriptor(file), part, length);
  });
}

bool NativeFileSystem::WriteAt(FileHandle file, std::uint64_t offset, const char* data,
                               std::size_t size) noexcept {
  return WriteAll(data, size, [&](const char* part, std::size_t length, std::size_t done) {
    return ::pwrite(Descriptor(file), part, length, static_cast<off_t>(offset + done));
  });
}

bool NativeFileSystem::CopyPermissions(const std::string& path, FileHandle file) {
  struct stat existing {};
  if (::stat(path.c_str(), &existing) != 0) return false;
  // The owner too where we may: only the superuser can give a file away.
  [[maybe_unused]] const int ignored = ::fchown(Descriptor(file), existing.st_uid, existing.st_gid);
  return ::fchmod(Descriptor(file), existing.st_mode & 07777) == 0;
}

bool NativeFileSystem::Sync(FileHandle file) noexcept { return ::fsync(Descriptor(file)) == 0; }

void NativeFileSystem::StartSync([[maybe_unused]] FileHandle file,
                                 [[maybe_unused]] std::uint64_t offset,
                                 [[maybe_unused]] std::uint64_t size) noexcept {
#ifdef SYNC_FILE_RANGE_WRITE
  // Linux: the write-back of these pages starts now; fsync waits for it later.
  [[maybe_unused]] const int ignored = ::sync_file_range(
      Descriptor(file), static_cast<off_t>(offset), static_cast<off_t>(size), SYNC_FILE_RANGE_WRITE);
#endif
}

bool NativeFileSystem::KeepTemporary(TemporaryFile& temporary, const std::string& directory) {
  // The lock belongs to the open file, which a duplicate shares: it holds the file once
  // the handle is closed, until the duplicate is.
  if (temporary.lock == kNoFile) {
    const int lock = ::fcntl(Descriptor(temporary.handle), F_DUPFD_CLOEXEC, 0);
    if (lock < 0) return false;
    temporary.lock = lock;
  }
  if (!temporary.path.empty()) return true;
#ifdef O_TMPFILE
  // A name is linked to the file through /proc, which needs no privilege; without
  // /proc, AT_EMPTY_PATH does the same for a process allowed to use it.
  const std::string opened = "/proc/self/fd/" + std::to_string(Descriptor(temporary.handle));
  std::optional<std::string> path = UnderFreshName(directory, [&](const std::string& name) {
    return ::linkat(AT_FDCWD, opened.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0 ||
           (errno == ENOENT &&
            ::linkat(Descriptor(temporary.handle), "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) == 0);
  });
  if (!path) return false;
  temporary.path = std::move(*path);
  return true;
#endif
  return false;
}

bool NativeFileSystem::Close(FileHandle file) noexcept {
  // Linux frees the descriptor even when close fails, so it is never retried.
  return ::close(Descriptor(file)) == 0;
}

bool NativeFileSystem::Replace(const std::string& from, const std::string& to) {
  if (::rename(from.c_str(), to.c_str()) != 0) return false;
  ForgetNamedTemporary();
  // The rename is durable once the folder is synced. The file is in place already, so
  // a failure here is no reason to call the run failed.
  const int directory = ::open(DirectoryOf(to).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (directory >= 0) {
    ::fsync(directory);
    ::close(directory);
  }
  return true;
}

bool NativeFileSystem::Remove(const std::string& path) {
  ForgetNamedTemporary();
  return ::unlink(path.c_str()) == 0;
}

bool NativeFileSystem::RemoveAbandonedTemporary(const std::string& path) {
  // Opened without waiting (a pipe by that name) and without following a link.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return false;
  // Taken, the lock is ours until the file is gone: the name must still be the file's,
  // not that of one made since by a run whose process has the same number.
  struct stat opened {};
  struct stat named {};
  const bool abandoned = ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &opened) == 0 &&
                         S_ISREG(opened.st_mode) && ::lstat(path.c_str(), &named) == 0 &&
                         opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
  const bool removed = abandoned && ::unlink(path.c_str()) == 0;
  ::close(fd);
  return removed;
}

std::vector<std::string> NativeFileSystem::ListTemporaries(const std::string& directory) {
  std::vector<std::string> names;
  const std::unique_ptr<DIR, int (*)(DIR*)> folder(::opendir(directory.c_str()), &::closedir);
  if (!folder) return names;
  // readdir is safe where no other thread reads the same stream, as none does this one.
  while (const dirent* entry = ::readdir(folder.get())) {  // NOLINT(concurrency-mt-unsafe)
    const std::string_view name = entry->d_name;
    if (name.starts_with(kTemporaryPrefix)) names.emplace_back(name);
  }
  return names;
}

std::optional<std::vector<FolderEntry>> NativeFileSystem::ListFolder(const std::string& folder) {
  const std::unique_ptr<DIR, int (*)(DIR*)> opened(::opendir(folder.empty() ? "." : folder.c_str()),
                                                   &::closedir);
  if (!opened) return std::nullopt;
  std::vector<FolderEntry> entries;
  errno = 0;
  // readdir is safe where no other thread reads the same stream, as none does this one.
  while (const dirent* entry = ::readdir(opened.get())) {  // NOLINT(concurrency-mt-unsafe)
    const std::string_view name = entry->d_name;
    if (name == "." || name == "..") continue;
    struct stat status {};
    PathKind kind = PathKind::Other;
    if (::fstatat(::dirfd(opened.get()), entry->d_name, &status, 0) == 0) {
      kind = S_ISREG(status.st_mode) ? PathKind::RegularFile
             : S_ISDIR(status.st_mode) ? PathKind::Directory
                                       : PathKind::Other;
    } else {
      kind = errno == ENOENT ? PathKind::Nothing : PathKind::Unreachable;
    }
    entries.push_back({std::string(name), kind, name.starts_with('.')});
    errno = 0;
  }
  if (errno != 0) return std::nullopt;  // the folder broke off part way
  return entries;
}

std::vector<MountedVolume> NativeFileSystem::MountedVolumes() {
  std::vector<MountedVolume> volumes;
#ifdef __linux__
  const std::unique_ptr<FILE, int (*)(FILE*)> table(::setmntent("/proc/self/mounts", "r"), &::endmntent);
  if (!table) return volumes;
  std::array<char, 4096> buffer{};
  mntent entry{};
  while (::getmntent_r(table.get(), &entry, buffer.data(), static_cast<int>(buffer.size()))) {
    volumes.push_back({entry.mnt_dir, entry.mnt_type});
  }
#else
  struct statfs* mounts = nullptr;
  const int count = ::getmntinfo(&mounts, MNT_NOWAIT);
  for (int i = 0; i < count; ++i) volumes.push_back({mounts[i].f_mntonname, mounts[i].f_fstypename});
#endif
  return volumes;
}

PathStatus NativeFileSystem::Status(const std::string& path) {
  PathStatus result;
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) {
    result.kind = errno == ENOENT ? PathKind::Nothing : PathKind::Unreachable;
    return result;
  }
  result.identity = IdentityOf(status);
  if (S_ISREG(status.st_mode)) {
    result.kind = PathKind::RegularFile;
    result.writable = ::access(path.c_str(), W_OK) == 0;
  } else {
    result.kind = S_ISDIR(status.st_mode) ? PathKind::Directory : PathKind::Other;
  }
  return result;
}

std::optional<std::string> NativeFileSystem::LinkTarget(const std::string& path) {
  struct stat status {};
  if (::lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return std::nullopt;
  // Some file systems report no size for a link; a page is more than a target holds.
  std::string target(status.st_size > 0 ? static_cast<std::size_t>(status.st_size) + 1 : 4096, '\0');
  const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
  if (length < 0 || static_cast<std::size_t>(length) >= target.size()) return std::nullopt;
  target.resize(static_cast<std::size_t>(length));
  return target;
}

}  // namespace sorvane

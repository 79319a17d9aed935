#pragma once
// Every call the program makes to the file system goes through this one interface. It
// has one implementation for POSIX systems and one for Windows (NativeFileSystem), and
// tests put their own in place to make a disk fill up, a rename fail or a read break
// off at any of these calls. Paths are UTF-8 inside the program; the Windows
// implementation converts them at this border.
//
// The calls are made once per block of a quarter megabyte, not per row, so a virtual
// call costs nothing measurable. Those marked noexcept throw nothing, the others
// nothing but std::bad_alloc (a path's text needs memory); a failure is a result.

#include "runtime/file_identity.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sorvane {

// An open file: a descriptor on POSIX systems, a HANDLE on Windows.
using FileHandle = std::intptr_t;
inline constexpr FileHandle kNoFile = -1;

enum class PathKind {
  Nothing,      // nothing is there yet (the folder above may be missing too)
  RegularFile,
  Directory,
  Other,        // a device, a pipe, a socket
  Unreachable,  // cannot be told: a loop of links, no permission to look
};

struct PathStatus {
  PathKind kind = PathKind::Nothing;
  FileIdentity identity;  // for an existing file
  // For a regular file: whether this user may replace its contents. Not when it is
  // read-only, nor on Windows when another program holds it open without sharing.
  bool writable = false;
};

struct OpenedFile {
  FileHandle handle = kNoFile;
  FileIdentity identity;
};

// A file being written beside the output, not yet in its place. Until it is kept, the
// system removes it when its handle is closed or the process ends, however it ends,
// wherever the system can: on Linux it has no name yet (`path` is empty), on Windows it
// is marked for deletion. Elsewhere it has a name from the start.
//
// A run holds its temporary from creation until the file is in place or removed, so
// that no other run takes it for one a killed run left (RemoveAbandonedTemporary): by
// a lock on POSIX systems, by the sharing its handle allows on Windows. Either goes
// when the run's process ends, however it ends. `lock`, given by KeepTemporary, is a
// second handle that goes on holding the file once `handle` is closed, until the file
// is in place; it is closed then.
struct TemporaryFile {
  FileHandle handle = kNoFile;
  std::string path;
  FileHandle lock = kNoFile;
};

// One entry of a folder, as ListFolder gives it.
struct FolderEntry {
  std::string name;
  PathKind kind = PathKind::Nothing;  // symbolic links followed: Nothing where one leads nowhere
  // Left out where a person browses: a name that begins with "." on POSIX systems, the
  // hidden or system attribute on Windows.
  bool hidden = false;
};

// A mounted volume, as MountedVolumes gives it.
struct MountedVolume {
  std::string rootPath;        // where it is mounted: "/", "/home", "C:\"
  std::string fileSystemType;  // "ext4", "vfat", "tmpfs" ...; may be empty
  std::string label = {};      // the name its owner gave it; empty where none is shown
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Opens an existing file, not a directory, for reading. Nothing when it cannot.
  [[nodiscard]] virtual std::optional<OpenedFile> OpenForReading(const std::string& path) = 0;
  // Reads up to `size` bytes: the count read, 0 at the end of the file, -1 on failure.
  [[nodiscard]] virtual std::ptrdiff_t Read(FileHandle file, char* buffer,
                                            std::size_t size) noexcept = 0;
  // Makes the next Read start again at the beginning of the file. False when it cannot,
  // as for a pipe or a device.
  [[nodiscard]] virtual bool Rewind(FileHandle file) noexcept = 0;

  // Creates a new, empty file for writing in `directory`, which no other file shares
  // a name with, with the permissions a new file gets there, held by this run.
  // Nothing when it cannot.
  [[nodiscard]] virtual std::optional<TemporaryFile> CreateTemporary(
      const std::string& directory) = 0;
  // Writes all `size` bytes at the end of what was written; false on any failure.
  [[nodiscard]] virtual bool Write(FileHandle file, const char* data,
                                   std::size_t size) noexcept = 0;
  // Writes all `size` bytes at `offset`, over bytes written before; false on failure.
  [[nodiscard]] virtual bool WriteAt(FileHandle file, std::uint64_t offset, const char* data,
                                     std::size_t size) noexcept = 0;
  // Gives the temporary `file` the permissions and owner of the existing file at
  // `path`, as far as this user may give them; on Windows its hidden and system
  // attributes, and the archive mark of a changed file. False when they cannot be read
  // or set.
  [[nodiscard]] virtual bool CopyPermissions(const std::string& path, FileHandle file) = 0;
  // Makes what was written durable: on disk before a crash could lose it.
  [[nodiscard]] virtual bool Sync(FileHandle file) noexcept = 0;
  // Starts putting the `size` bytes written at `offset` on the disk, without waiting
  // for them, so that a later Sync has less left to wait for. Only a hint: it reports
  // nothing, and does nothing where the system offers no such call.
  virtual void StartSync(FileHandle file, std::uint64_t offset, std::uint64_t size) noexcept = 0;
  // Makes the temporary outlive its handle, to be put in place: one without a name
  // gets a new name in `directory`, stored in temporary.path, and temporary.lock holds
  // it past its handle. False when it cannot.
  [[nodiscard]] virtual bool KeepTemporary(TemporaryFile& temporary,
                                           const std::string& directory) = 0;
  // Closes the file. False when the system reports a delayed write error; the handle
  // is closed either way.
  [[nodiscard]] virtual bool Close(FileHandle file) noexcept = 0;
  // Puts the file at `from` in place of whatever is at `to`, in one step that a crash
  // cannot split, and durably. False, with both left as they were, when it cannot.
  [[nodiscard]] virtual bool Replace(const std::string& from, const std::string& to) = 0;
  // Removes the file at `path`; false when it cannot.
  [[nodiscard]] virtual bool Remove(const std::string& path) = 0;
  // Removes the temporary file at `path` unless a run holds it (TemporaryFile): it is
  // taken from whoever might hold it first, so a run never loses the file it writes.
  // False when it is held, or is no file, or cannot be removed. A file system that
  // cannot hold files (one that has no locks) never lets one be taken.
  [[nodiscard]] virtual bool RemoveAbandonedTemporary(const std::string& path) = 0;
  // The names of the files in `directory` that begin with kTemporaryPrefix: temporary
  // files of this program's runs. Empty when the folder cannot be read.
  [[nodiscard]] virtual std::vector<std::string> ListTemporaries(
      const std::string& directory) = 0;

  // The entries of `folder`, "." and ".." left out, in no particular order. `folder`
  // may be empty for the current folder, and on Windows a drive ("C:") for that
  // drive's current folder. Nothing when it cannot be read.
  [[nodiscard]] virtual std::optional<std::vector<FolderEntry>> ListFolder(
      const std::string& folder) = 0;
  // The volumes mounted: on POSIX systems every mount point, the system's own pseudo
  // file systems among them; on Windows the root of every drive letter, with its label.
  // Empty when they cannot be told.
  [[nodiscard]] virtual std::vector<MountedVolume> MountedVolumes() = 0;

  // What `path` names, symbolic links followed.
  [[nodiscard]] virtual PathStatus Status(const std::string& path) = 0;
  // Where the symbolic link at `path` points: its target as stored, which may be
  // relative to the link's folder. Nothing when `path` is not a link.
  [[nodiscard]] virtual std::optional<std::string> LinkTarget(const std::string& path) = 0;
};

// The file system in use: the system's own unless a ScopedFileSystem lives.
FileSystem& CurrentFileSystem() noexcept;

// Puts `fileSystem` in place for as long as it lives, then restores the previous one.
// For tests only; not thread-safe.
class ScopedFileSystem {
 public:
  explicit ScopedFileSystem(FileSystem& fileSystem) noexcept;
  ~ScopedFileSystem();
  ScopedFileSystem(const ScopedFileSystem&) = delete;
  ScopedFileSystem& operator=(const ScopedFileSystem&) = delete;

 private:
  FileSystem* previous_;
};

}  // namespace sorvane

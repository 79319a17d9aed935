#pragma once
// The system calls through which the runtime reads its inputs and writes, syncs and
// renames its output. They are called once per block of a megabyte, not per row, so a
// table of plain function pointers costs nothing; tests replace it to make the disk
// fill up, a rename fail or a read break off part way.

#include <cstddef>
#include <sys/types.h>

namespace sorvane {

struct FileSystemCalls {
  ssize_t (*read)(int fd, void* buffer, std::size_t size);
  ssize_t (*write)(int fd, const void* buffer, std::size_t size);
  int (*fsync)(int fd);
  int (*rename)(const char* from, const char* to);
  int (*close)(int fd);
  ssize_t (*pwrite)(int fd, const void* buffer, std::size_t size, off_t offset);
};

// The calls of the operating system.
extern const FileSystemCalls kSystemFileCalls;

// The calls in use; the operating system's unless a ScopedFileSystemCalls lives.
const FileSystemCalls& FileSystem();

// Puts `calls` in place for as long as it lives and then restores the previous ones.
// For tests only; not thread-safe.
class ScopedFileSystemCalls {
 public:
  explicit ScopedFileSystemCalls(const FileSystemCalls& calls);
  ~ScopedFileSystemCalls();
  ScopedFileSystemCalls(const ScopedFileSystemCalls&) = delete;
  ScopedFileSystemCalls& operator=(const ScopedFileSystemCalls&) = delete;

 private:
  const FileSystemCalls* previous_;
};

}  // namespace sorvane

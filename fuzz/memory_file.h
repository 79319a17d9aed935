#pragma once
// Bytes put in an anonymous file in memory, so that a fuzz target can open them by path
// like any point file without touching the disk.

#include <string>
#include <string_view>
#include <sys/mman.h>
#include <unistd.h>

namespace sorvane::fuzz {

class MemoryFile {
 public:
  explicit MemoryFile(std::string_view bytes) : fd_(::memfd_create("sorvane-fuzz", MFD_CLOEXEC)) {
    for (std::size_t written = 0; written < bytes.size();) {
      const ssize_t n = ::write(fd_, bytes.data() + written, bytes.size() - written);
      if (n <= 0) __builtin_trap();
      written += static_cast<std::size_t>(n);
    }
  }
  ~MemoryFile() { ::close(fd_); }
  MemoryFile(const MemoryFile&) = delete;
  MemoryFile& operator=(const MemoryFile&) = delete;

  // Opening this path gives a descriptor of its own, reading from the start.
  std::string Path() const { return "/proc/self/fd/" + std::to_string(fd_); }

 private:
  int fd_;
};

}  // namespace sorvane::fuzz

// Loaded with LD_PRELOAD into a program under test, this stands for a file system that
// cannot make a file without a name (some network and FUSE file systems): opening with
// O_TMPFILE fails as it does there, and every other open goes to the kernel unchanged.

#include <cerrno>
#include <cstdarg>
#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

int OpenRefusingUnnamed(const char* path, int flags, va_list rest) {
  const bool unnamed = (flags & O_TMPFILE) == O_TMPFILE;
  const mode_t mode = (flags & O_CREAT) != 0 || unnamed ? va_arg(rest, mode_t) : 0;
  if (unnamed) {
    errno = EOPNOTSUPP;
    return -1;
  }
  return static_cast<int>(::syscall(SYS_openat, AT_FDCWD, path, flags, mode));
}

}  // namespace

extern "C" int open(const char* path, int flags, ...) {
  va_list rest;
  va_start(rest, flags);
  const int fd = OpenRefusingUnnamed(path, flags, rest);
  va_end(rest);
  return fd;
}

// The same call under the name that large-file builds use.
extern "C" int open64(const char* path, int flags, ...) __attribute__((alias("open")));

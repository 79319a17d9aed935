// The owner of a temporary file on POSIX systems: the machine, by its host name and its
// machine id, and the process number.

#include "runtime/temporary_owner.h"

#include <fcntl.h>
#include <sys/utsname.h>
#include <unistd.h>

namespace sorvane {
namespace {

// The text of a small file, as much as fits in `size` bytes; empty when it cannot be read.
std::string SmallFile(const char* path, std::size_t size = 1024) {
  std::string text(size, '\0');
  const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return {};
  const ssize_t got = ::read(fd, text.data(), text.size());
  ::close(fd);
  text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
  return text;
}

}  // namespace

TemporaryOwner ThisProcessAsOwner() {
  // The host's name and machine id tell apart machines that share a network folder.
  utsname system{};
  std::string names = ::uname(&system) == 0 ? system.nodename : "";
  names += '\n' + SmallFile("/etc/machine-id");
  return {MachineCode(names), static_cast<std::uint64_t>(::getpid())};
}

}  // namespace sorvane

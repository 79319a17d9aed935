// The owner of a temporary file on POSIX systems: the process number, and where /proc
// tells it (Linux), the moment the process started, in clock ticks since the machine
// booted, and its state.

#include "runtime/temporary_owner.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <csignal>
#include <fcntl.h>
#include <limits>
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

struct ProcessState {
  char state = '?';
  std::uint64_t started = 0;
};

// From /proc/PID/stat: "PID (NAME) STATE" and 18 more fields, the start time the 22nd.
// The name may hold any character, ")" among them, so the fields are counted after the
// last one.
std::optional<ProcessState> StateOf(const std::string& process) {
  const std::string stat = SmallFile(("/proc/" + process + "/stat").c_str());
  const std::size_t nameEnd = stat.rfind(')');
  if (nameEnd == std::string::npos) return std::nullopt;
  ProcessState result;
  std::size_t at = nameEnd + 1;
  for (int field = 3; field <= 22; ++field) {
    while (at < stat.size() && stat[at] == ' ') ++at;
    if (at >= stat.size()) return std::nullopt;
    const std::size_t end = std::min(stat.find(' ', at), stat.size());
    if (field == 3) result.state = stat[at];
    if (field == 22 &&
        std::from_chars(stat.data() + at, stat.data() + end, result.started).ec != std::errc()) {
      return std::nullopt;
    }
    at = end;
  }
  return result;
}

}  // namespace

TemporaryOwner ThisProcessAsOwner() {
  // The host's name and machine id tell machines apart that share a network folder;
  // the process namespace, containers on one machine.
  utsname system{};
  std::string names = ::uname(&system) == 0 ? system.nodename : "";
  names += '\n' + SmallFile("/etc/machine-id");
  char space[64] = {};
  if (::readlink("/proc/self/ns/pid", space, sizeof space - 1) > 0) names += space;

  const std::optional<ProcessState> self = StateOf("self");
  return {MachineCode(names), static_cast<std::uint64_t>(::getpid()), self ? self->started : 0};
}

bool IsStillRunning(const TemporaryOwner& owner) {
  if (owner.process == 0 || owner.process > std::numeric_limits<pid_t>::max()) return true;
  const auto process = static_cast<pid_t>(owner.process);
  if (::kill(process, 0) != 0 && errno == ESRCH) return false;
  // The number is in use, by the owner only if that process started when the owner did
  // and has not ended (a zombie waits only for its parent to note the end).
  const std::optional<ProcessState> now = StateOf(std::to_string(owner.process));
  if (!now || owner.started == 0) return true;
  return now->started == owner.started && now->state != 'Z' && now->state != 'X';
}

}  // namespace sorvane

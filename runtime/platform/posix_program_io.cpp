// Arguments and standard streams on POSIX systems, where both are bytes already.

#include "runtime/program_io.h"

#include <unistd.h>

#include <iostream>

namespace sorvane {

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  return {argv + (argc > 0 ? 1 : 0), argv + argc};
}

// Linux names it in /proc; a system without /proc has no installed files to find.
std::string ProgramPath() {
  std::string path(256, '\0');
  for (;;) {
    const ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size());
    if (length < 0) return {};
    if (static_cast<std::size_t>(length) < path.size()) {
      path.resize(static_cast<std::size_t>(length));
      return path;
    }
    path.resize(path.size() * 2);
  }
}

// The shell has expanded the wildcards already.
std::vector<std::string> ExpandWildcards(const std::string& argument) { return {argument}; }

std::ostream& StandardOutput() { return std::cout; }

std::ostream& StandardError() { return std::cerr; }

}  // namespace sorvane

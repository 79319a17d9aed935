// Arguments and standard streams on POSIX systems, where both are bytes already.

#include "runtime/program_io.h"

#include <iostream>

namespace sorvane {

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  return {argv + (argc > 0 ? 1 : 0), argv + argc};
}

// The shell has expanded the wildcards already.
std::vector<std::string> ExpandWildcards(const std::string& argument) { return {argument}; }

std::ostream& StandardOutput() { return std::cout; }

std::ostream& StandardError() { return std::cerr; }

}  // namespace sorvane

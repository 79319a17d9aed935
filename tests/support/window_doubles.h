#pragma once
// What the windows' tests share: a program end that only counts the requests, and paths
// as the windows show them.

#include "runtime/program_end.h"
#include "runtime/utf8_path.h"

#include <string>

namespace sorvane::testing {

class RecordingEnd : public ProgramEnd {
 public:
  void EndProgram() override { ++requests; }
  int requests = 0;
};

// `path` in the system's own separators: "C:\data" on Windows.
inline std::string NativePath(const std::string& path) {
  return Utf8FromPath(PathFromUtf8(path).make_preferred());
}

}  // namespace sorvane::testing

// The batch converter interrupted part way through a run, while it waits for more rows
// from a pipe: Ctrl-C, a termination request, a closed terminal, a kill. Whatever stops
// it, the folder is left exactly as it was, the old drawing byte for byte, no temporary
// file anywhere; the first three end the program with the signal's own status.

#include "tests/support/case_names.h"
#include "tests/support/scratch_directory.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace sorvane {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;
using testing::ScratchDirectory;
using testing::Snapshot;
using testing::WriteFile;

struct InterruptionCase {
  const char* name;
  int signal;
  bool namedTemporary;  // on a file system that cannot make a file without a name
};

// Whether process `pid` has a file of `directory` open: its temporary output.
bool HasFileOpenIn(pid_t pid, const std::string& directory) {
  std::error_code error;
  for (const auto& entry :
       fs::directory_iterator("/proc/" + std::to_string(pid) + "/fd", error)) {
    const std::string target = fs::read_symlink(entry.path(), error).string();
    if (!error && target.starts_with(directory + "/")) return true;
  }
  return false;
}

class InterruptedRun : public ::testing::TestWithParam<InterruptionCase> {};

TEST_P(InterruptedRun, LeavesTheFolderAsItWas) {
  const InterruptionCase& c = GetParam();
  ScratchDirectory directory;
  WriteFile("PreData.txt", ReadFile(SORVANE_EXAMPLES_DIR "/PreData.txt"));
  WriteFile("out.dxf", "an earlier drawing\r\n");
  const auto before = Snapshot(directory.Path());

  int rows[2];
  ASSERT_EQ(::pipe(rows), 0);
  const pid_t converter = ::fork();
  ASSERT_GE(converter, 0);
  if (converter == 0) {
    ::dup2(rows[0], STDIN_FILENO);
    ::close(rows[0]);
    ::close(rows[1]);
    if (c.namedTemporary) {
      ::setenv("LD_PRELOAD", SORVANE_REFUSE_UNNAMED_FILES, 1);
      ::setenv("ASAN_OPTIONS", "verify_asan_link_order=0", 1);  // the sanitizer build
    }
    ::execl(SORVANE_CONVERT, SORVANE_CONVERT, "-o", "out.dxf", "/dev/stdin", nullptr);
    ::_exit(127);
  }
  ::close(rows[0]);
  // Part of the rows, then the pipe stalls: the converter waits with its output open.
  std::string someRows;
  for (int i = 0; i < 20000; ++i) someRows += "-45840.421508,-9571.454398,156.9951\r\n";
  ASSERT_EQ(::write(rows[1], someRows.data(), someRows.size()),
            static_cast<ssize_t>(someRows.size()));
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (!HasFileOpenIn(converter, directory.Path()) && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ASSERT_TRUE(HasFileOpenIn(converter, directory.Path()));
  if (c.namedTemporary) {
    ASSERT_FALSE(testing::TemporaryFilesBelow(directory.Path()).empty()) << "no named temporary";
  }

  ASSERT_EQ(::kill(converter, c.signal), 0);
  int status = 0;
  ASSERT_EQ(::waitpid(converter, &status, 0), converter);
  ::close(rows[1]);

  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == c.signal) << "status " << status;
  EXPECT_EQ(Snapshot(directory.Path()), before);
}

INSTANTIATE_TEST_SUITE_P(
    BatchConverter, InterruptedRun,
    ::testing::Values(InterruptionCase{"CtrlC", SIGINT, false},
                      InterruptionCase{"Terminate", SIGTERM, false},
                      InterruptionCase{"TerminalClosed", SIGHUP, false},
                      InterruptionCase{"Killed", SIGKILL, false},
                      // A kill leaves a named file behind; nothing can stop that.
                      InterruptionCase{"CtrlCWithNamedTemporary", SIGINT, true},
                      InterruptionCase{"TerminateWithNamedTemporary", SIGTERM, true},
                      InterruptionCase{"TerminalClosedWithNamedTemporary", SIGHUP, true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sorvane

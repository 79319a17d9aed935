// The batch converter interrupted part way through a run, while it waits for more rows
// from a pipe: Ctrl-C or Ctrl-\, a termination request, a closed terminal, the file size
// limit, a kill. Whatever stops it, the folder is left exactly as it was, the old
// drawing byte for byte, no temporary file anywhere (after a kill, once the next run
// there has looked); the program ends with the signal's own status.

#include "tests/support/case_names.h"
#include "tests/support/scratch_directory.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <vector>
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

// A batch converter writing `output` in the current directory from rows it reads from a
// pipe, stalled part way with its output open, the template "PreData.txt".
class StalledConverter {
 public:
  StalledConverter(const std::string& output, bool namedTemporary) {
    int rows[2];
    EXPECT_EQ(::pipe(rows), 0);
    pid_ = ::fork();
    if (pid_ == 0) {
      ::dup2(rows[0], STDIN_FILENO);
      ::close(rows[0]);
      ::close(rows[1]);
      if (namedTemporary) {
        ::setenv("LD_PRELOAD", SORVANE_REFUSE_UNNAMED_FILES, 1);
        ::setenv("ASAN_OPTIONS", "verify_asan_link_order=0", 1);  // the sanitizer build
      }
      const rlimit noCore{0, 0};  // SIGQUIT and SIGXFSZ would leave a core file
      ::setrlimit(RLIMIT_CORE, &noCore);
      ::execl(SORVANE_CONVERT, SORVANE_CONVERT, "-o", output.c_str(), "/dev/stdin", nullptr);
      ::_exit(127);
    }
    ::close(rows[0]);
    rows_ = rows[1];
    // Part of the rows, then the pipe stalls: the converter waits with its output open.
    std::string someRows;
    for (int i = 0; i < kRowsWritten; ++i) someRows += "-45840.421508,-9571.454398,156.9951\r\n";
    EXPECT_EQ(::write(rows_, someRows.data(), someRows.size()),
              static_cast<ssize_t>(someRows.size()));
    const std::string directory = fs::current_path().string();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!HasFileOpenIn(pid_, directory) && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_TRUE(HasFileOpenIn(pid_, directory)) << "the converter never opened its output";
  }
  ~StalledConverter() {
    if (rows_ >= 0) ::close(rows_);
    if (pid_ > 0 && !ended_) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
  }
  StalledConverter(const StalledConverter&) = delete;
  StalledConverter& operator=(const StalledConverter&) = delete;

  // Ends it with `signal`, or by the end of its rows for 0, and returns its status.
  int End(int signal) {
    if (signal != 0) {
      EXPECT_EQ(::kill(pid_, signal), 0);
    }
    ::close(rows_);
    rows_ = -1;
    int status = 0;
    EXPECT_EQ(::waitpid(pid_, &status, 0), pid_);
    ended_ = true;
    return status;
  }

  static constexpr int kRowsWritten = 20000;

 private:
  pid_t pid_ = -1;
  int rows_ = -1;
  bool ended_ = false;
};

// One more converter run in the current directory, writing `output` from a point file;
// `wrapper` starts it, when given.
int RunConverter(const std::string& output, const std::string& wrapper = "") {
  WriteFile("more.csv", "1,2,3\r\n");
  const std::string command =
      wrapper + std::string(SORVANE_CONVERT) + " -o " + output + " more.csv >/dev/null";
  const int status = std::system(command.c_str());
  std::filesystem::remove("more.csv");
  return status;
}

class InterruptedRun : public ::testing::TestWithParam<InterruptionCase> {};

TEST_P(InterruptedRun, LeavesTheFolderAsItWas) {
  const InterruptionCase& c = GetParam();
  ScratchDirectory directory;
  WriteFile("PreData.txt", ReadFile(SORVANE_EXAMPLES_DIR "/PreData.txt"));
  WriteFile("out.dxf", "an earlier drawing\r\n");
  const auto before = Snapshot(directory.Path());

  StalledConverter converter("out.dxf", c.namedTemporary);
  if (c.namedTemporary) {
    ASSERT_FALSE(testing::TemporaryFilesBelow(directory.Path()).empty()) << "no named temporary";
  }
  const int status = converter.End(c.signal);

  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == c.signal) << "status " << status;
  EXPECT_EQ(Snapshot(directory.Path()), before);
}

INSTANTIATE_TEST_SUITE_P(
    BatchConverter, InterruptedRun,
    ::testing::Values(InterruptionCase{"CtrlC", SIGINT, false},
                      InterruptionCase{"CtrlBackslash", SIGQUIT, false},
                      InterruptionCase{"Terminate", SIGTERM, false},
                      InterruptionCase{"TerminalClosed", SIGHUP, false},
                      InterruptionCase{"FileSizeLimit", SIGXFSZ, false},
                      InterruptionCase{"Killed", SIGKILL, false},
                      InterruptionCase{"CtrlCWithNamedTemporary", SIGINT, true},
                      InterruptionCase{"CtrlBackslashWithNamedTemporary", SIGQUIT, true},
                      InterruptionCase{"TerminateWithNamedTemporary", SIGTERM, true},
                      InterruptionCase{"TerminalClosedWithNamedTemporary", SIGHUP, true},
                      InterruptionCase{"FileSizeLimitWithNamedTemporary", SIGXFSZ, true}),
    [](const auto& info) { return std::string(info.param.name); });

// A kill gives the program no chance to remove a named temporary (nor, with an unnamed
// one, does a kill between naming the finished file and renaming it into place). The
// next run that writes into the folder removes it.
TEST(InterruptedRun, KilledRunsTemporaryGoesWithTheNextRunThere) {
  ScratchDirectory directory;
  WriteFile("PreData.txt", ReadFile(SORVANE_EXAMPLES_DIR "/PreData.txt"));
  WriteFile("out.dxf", "an earlier drawing\r\n");
  const auto before = Snapshot(directory.Path());

  StalledConverter killed("out.dxf", true);
  killed.End(SIGKILL);
  ASSERT_EQ(testing::TemporaryFilesBelow(directory.Path()).size(), 1u);

  EXPECT_EQ(RunConverter("next.dxf"), 0);
  std::filesystem::remove("next.dxf");
  EXPECT_EQ(Snapshot(directory.Path()), before);
}

struct SecondRunCase {
  const char* name;
  std::string wrapper;  // how the second run is started
};

void PrintTo(const SecondRunCase& c, std::ostream* out) { *out << c.name; }

class TwoRunsAtOnce : public ::testing::TestWithParam<SecondRunCase> {};

// Two runs at once in one folder: the second leaves the first's temporary alone, and
// the first finishes its drawing, even where the second sees the machine's processes
// otherwise: in a time namespace of its own, which moves when every process started.
TEST_P(TwoRunsAtOnce, RunningRunsTemporaryStaysWhileAnotherRunWritesThere) {
  const std::string& wrapper = GetParam().wrapper;
  if (!wrapper.empty() && std::system((wrapper + "true").c_str()) != 0) {
    GTEST_SKIP() << "the system refuses: " << wrapper;
  }
  ScratchDirectory directory;
  WriteFile("PreData.txt", ReadFile(SORVANE_EXAMPLES_DIR "/PreData.txt"));

  StalledConverter running("out.dxf", true);
  const std::vector<std::string> temporaries = testing::TemporaryFilesBelow(directory.Path());
  ASSERT_EQ(temporaries.size(), 1u);
  EXPECT_EQ(RunConverter("next.dxf", wrapper), 0);
  EXPECT_EQ(testing::TemporaryFilesBelow(directory.Path()), temporaries);

  const int status = running.End(0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
  const std::string drawing = ReadFile("out.dxf");
  std::size_t vertices = 0;
  for (auto at = drawing.find("VERTEX\r\n"); at != std::string::npos;
       at = drawing.find("VERTEX\r\n", at + 1)) {
    ++vertices;
  }
  EXPECT_EQ(vertices, static_cast<std::size_t>(StalledConverter::kRowsWritten));
  EXPECT_EQ(testing::TemporaryFilesBelow(directory.Path()), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(
    InterruptedRun, TwoRunsAtOnce,
    ::testing::Values(
        SecondRunCase{"SameView", ""},
        // A user namespace lets a user without privileges make the time namespace.
        SecondRunCase{"OtherTimeNamespace",
                      "unshare --user --map-root-user --time --boottime 86400 "}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sorvane

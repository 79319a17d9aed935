// The disk, not the data, fails: writes, syncs, renames, closes and reads break off
// part way through a run. Each must end in its own message with nothing lost.

#include "conversion_run.h"
#include "file_system.h"
#include "open_descriptors.h"
#include "scratch_directory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace sorvane {
namespace {

using testing::OpenDescriptorCount;
using testing::ReadFile;
using testing::RecordingSink;
using testing::ScratchDirectory;
using testing::Snapshot;
using testing::WriteFile;

// What the faulty disk still reads or takes before it fails; set by each test.
std::size_t readBudget = 0;
std::size_t writeBudget = 0;

ssize_t ReadUntilBudgetSpent(int fd, void* buffer, std::size_t size) {
  if (readBudget == 0) {
    errno = EIO;
    return -1;
  }
  const ssize_t got = ::read(fd, buffer, std::min(size, readBudget));
  if (got > 0) readBudget -= static_cast<std::size_t>(got);
  return got;
}

ssize_t WriteUntilDiskFull(int fd, const void* buffer, std::size_t size) {
  if (writeBudget == 0) {
    errno = ENOSPC;
    return -1;
  }
  const ssize_t written = ::write(fd, buffer, std::min(size, writeBudget));
  if (written > 0) writeBudget -= static_cast<std::size_t>(written);
  return written;
}

int FailingFsync(int) {
  errno = EIO;
  return -1;
}

int FailingRename(const char*, const char*) {
  errno = EXDEV;
  return -1;
}

// Linux frees the descriptor even when close reports a delayed write error.
int CloseReportingWriteError(int fd) {
  ::close(fd);
  errno = EIO;
  return -1;
}

constexpr FileSystemCalls kReadBreaksOff{ReadUntilBudgetSpent, ::write, ::fsync, ::rename, ::close, ::pwrite};
constexpr FileSystemCalls kDiskFillsUp{::read, WriteUntilDiskFull, ::fsync, ::rename, ::close, ::pwrite};
constexpr FileSystemCalls kSyncFails{::read, ::write, FailingFsync, ::rename, ::close, ::pwrite};
constexpr FileSystemCalls kRenameFails{::read, ::write, ::fsync, FailingRename, ::close, ::pwrite};
constexpr FileSystemCalls kCloseFails{::read, ::write, ::fsync, ::rename, CloseReportingWriteError, ::pwrite};

constexpr std::size_t kMiB = std::size_t{1} << 20;

struct FaultCase {
  const char* name;
  const FileSystemCalls* calls;
  std::size_t readBudget;
  std::size_t writeBudget;
  const char* message;
};

void PrintTo(const FaultCase& c, std::ostream* out) { *out << c.name; }

class InjectedFault : public ::testing::TestWithParam<FaultCase> {};

// Enough rows that reading and writing each take several blocks, so that a fault can
// strike in the middle of the file rather than at its start.
std::string ManyRows() {
  std::string rows;
  for (int i = 0; i < 60000; ++i) {
    rows += std::to_string(-45840.4215 + i) + "," + std::to_string(-9571.4544 - i) + ",156.995\r\n";
  }
  return rows;
}

TEST_P(InjectedFault, EndsWithItsMessageAndChangesNothing) {
  const FaultCase& c = GetParam();
  ScratchDirectory directory;
  WriteFile(directory / "points.csv", ManyRows());
  WriteFile(directory / "PreData.txt", ReadFile(SORVANE_EXAMPLES_DIR "/PreData.txt"));
  WriteFile(directory / "drawing.dxf", "an earlier drawing\r\n");
  const auto before = Snapshot(directory.Path());
  const int descriptorsBefore = OpenDescriptorCount();

  RecordingSink sink;
  {
    readBudget = c.readBudget;
    writeBudget = c.writeBudget;
    const ScopedFileSystemCalls faulty(*c.calls);
    RunConversion("points.csv", "drawing.dxf", sink);
  }

  EXPECT_EQ(sink.messages, std::vector<std::string>{c.message});
  EXPECT_EQ(Snapshot(directory.Path()), before);
  EXPECT_EQ(OpenDescriptorCount(), descriptorsBefore);

  // Nothing of the failed run lingers: once the disk is sound again, the same run works.
  RecordingSink retry;
  RunConversion("points.csv", "drawing.dxf", retry);
  EXPECT_EQ(retry.messages, std::vector<std::string>{"変換しました"});
}

INSTANTIATE_TEST_SUITE_P(
    Disk, InjectedFault,
    ::testing::Values(
        FaultCase{"DiskFillsUpMidway", &kDiskFillsUp, 0, kMiB + kMiB / 2, "出力ファイルに書き込めません"},
        FaultCase{"DiskFullFromTheStart", &kDiskFillsUp, 0, 0, "出力ファイルに書き込めません"},
        FaultCase{"SyncFails", &kSyncFails, 0, 0, "出力ファイルに書き込めません"},
        FaultCase{"RenameFails", &kRenameFails, 0, 0, "出力ファイルに書き込めません"},
        FaultCase{"CloseReportsWriteError", &kCloseFails, 0, 0, "出力ファイルに書き込めません"},
        FaultCase{"PointFileReadBreaksOff", &kReadBreaksOff, kMiB / 2, 0, "ファイルを読み込めません"},
        FaultCase{"TemplateReadBreaksOff", &kReadBreaksOff, 100, 0,
                  "PreData.txtファイルを読み込めません"}),
    [](const ::testing::TestParamInfo<FaultCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sorvane

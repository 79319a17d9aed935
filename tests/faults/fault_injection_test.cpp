// The disk, not the data, fails: writes, syncs, renames, closes and reads break off
// part way through a run, or a step runs out of memory. Each must end in its own
// message with nothing lost.

#include "batch/batch_converter.h"
#include "engine/conversion_run.h"
#include "runtime/native_file_system.h"
#include "tests/support/open_handles.h"
#include "tests/support/scratch_directory.h"

#include <gtest/gtest.h>

#include <new>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace sorvane {
namespace {

using testing::OpenHandleCount;
using testing::ReadFile;
using testing::RecordingSink;
using testing::ScratchDirectory;
using testing::Snapshot;
using testing::WriteFile;

// The calls of the file system a case makes fail.
enum class Call {
  OpenForReading, Read, Status, CreateTemporary, Write, WriteAt, CopyPermissions, Sync,
  KeepTemporary, Close, Replace,
};

// How the call fails: with its failure result, or (where it may throw) by running out
// of memory, once.
enum class Strike { Fails, Throws };

// The system's file system, but for one call that fails after it has succeeded a given
// number of times, as a full disk or a broken cable makes it. It can also stand for a
// file system that gives every temporary file a name from the start (where the system
// cannot make one without), so that a failure has a named file to clean up.
class FaultyDisk : public NativeFileSystem {
 public:
  FaultyDisk(Call failing, int successes, bool namedTemporaries, Strike strike = Strike::Fails)
      : failing_(failing), successes_(successes), namedTemporaries_(namedTemporaries),
        strike_(strike) {}

  std::optional<OpenedFile> OpenForReading(const std::string& path) override {
    if (Fails(Call::OpenForReading)) return std::nullopt;
    return NativeFileSystem::OpenForReading(path);
  }
  std::ptrdiff_t Read(FileHandle file, char* buffer, std::size_t size) noexcept override {
    return Fails(Call::Read) ? -1 : NativeFileSystem::Read(file, buffer, size);
  }
  PathStatus Status(const std::string& path) override {
    return Fails(Call::Status) ? PathStatus{PathKind::Unreachable, {}, false}
                               : NativeFileSystem::Status(path);
  }
  std::optional<TemporaryFile> CreateTemporary(const std::string& directory) override {
    if (Fails(Call::CreateTemporary)) return std::nullopt;
    std::optional<TemporaryFile> temporary = NativeFileSystem::CreateTemporary(directory);
    if (temporary && namedTemporaries_) {
      EXPECT_TRUE(NativeFileSystem::KeepTemporary(*temporary, directory));
    }
    return temporary;
  }
  bool Write(FileHandle file, const char* data, std::size_t size) noexcept override {
    // A full disk takes part of the block before it refuses the rest.
    if (Fails(Call::Write)) return NativeFileSystem::Write(file, data, size / 2) && false;
    return NativeFileSystem::Write(file, data, size);
  }
  bool WriteAt(FileHandle file, std::uint64_t offset, const char* data,
               std::size_t size) noexcept override {
    return !Fails(Call::WriteAt) && NativeFileSystem::WriteAt(file, offset, data, size);
  }
  bool CopyPermissions(const std::string& path, FileHandle file) override {
    return !Fails(Call::CopyPermissions) && NativeFileSystem::CopyPermissions(path, file);
  }
  bool Sync(FileHandle file) noexcept override {
    return !Fails(Call::Sync) && NativeFileSystem::Sync(file);
  }
  bool KeepTemporary(TemporaryFile& temporary, const std::string& directory) override {
    return !Fails(Call::KeepTemporary) && NativeFileSystem::KeepTemporary(temporary, directory);
  }
  bool Close(FileHandle file) noexcept override {
    // The handle is closed even when a delayed write error is reported.
    const bool closed = NativeFileSystem::Close(file);
    return !Fails(Call::Close) && closed;
  }
  bool Replace(const std::string& from, const std::string& to) override {
    return !Fails(Call::Replace) && NativeFileSystem::Replace(from, to);
  }

 private:
  // A full disk stays full; memory that ran out is there again once the step that
  // needed it has given up.
  bool Fails(Call call) {
    if (call != failing_) return false;
    const int successesLeft = successes_--;
    if (strike_ == Strike::Throws && successesLeft == 0) throw std::bad_alloc();
    return strike_ == Strike::Fails && successesLeft <= 0;
  }

  Call failing_;
  int successes_;
  bool namedTemporaries_;
  Strike strike_;
};

struct FaultCase {
  const char* name;
  Call call;
  int successes;  // of that call before it fails
  const char* message;
  Strike strike = Strike::Fails;
  const char* templateFile = "PreData.txt";  // of the examples
};

void PrintTo(const FaultCase& c, std::ostream* out) { *out << c.name; }

// How many rows the point file holds. Many: reading and writing each take several
// blocks, so that a fault can strike in the middle of the file rather than at its start,
// and the blocks are written on the writing thread. One block's worth: the drawing is
// written all at once as the run commits, as most drawings from the window are.
constexpr int kManyBlocksOfRows = 60000;
constexpr int kOneBlockOfRows = 100;

// Each case with a temporary file that has no name until it is complete, and with one
// named from the start.
class InjectedFault : public ::testing::TestWithParam<std::tuple<FaultCase, bool, int>> {};

std::string PointRows(int count) {
  std::string rows;
  for (int i = 0; i < count; ++i) {
    rows += std::to_string(-45840.4215 + i) + "," + std::to_string(-9571.4544 - i) + ",156.995\r\n";
  }
  return rows;
}

TEST_P(InjectedFault, EndsWithItsMessageAndChangesNothing) {
  const auto& [c, namedTemporaries, rows] = GetParam();
  ScratchDirectory directory;
  WriteFile(directory / "points.csv", PointRows(rows));
  WriteFile(directory / "PreData.txt",
            ReadFile(std::string(SORVANE_EXAMPLES_DIR "/") + c.templateFile));
  WriteFile(directory / "drawing.dxf", "an earlier drawing\r\n");
  const auto before = Snapshot(directory.Path());
  const int descriptorsBefore = OpenHandleCount();

  RecordingSink sink;
  {
    FaultyDisk disk(c.call, c.successes, namedTemporaries, c.strike);
    const ScopedFileSystem faulty(disk);
    RunConversion("points.csv", "drawing.dxf", sink);
  }

  EXPECT_EQ(sink.messages, std::vector<std::string>{c.message});
  EXPECT_EQ(Snapshot(directory.Path()), before);
  EXPECT_EQ(OpenHandleCount(), descriptorsBefore);

  // Nothing of the failed run lingers: once the disk is sound again, the same run works.
  RecordingSink retry;
  RunConversion("points.csv", "drawing.dxf", retry);
  EXPECT_EQ(retry.messages, std::vector<std::string>{"変換しました"});
}

// The faults of writing the drawing and putting it in place, which strike a drawing of
// many blocks and one of a single block alike.
const FaultCase kOutputFaults[] = {
    FaultCase{"DiskFullFromTheStart", Call::Write, 0, "出力ファイルに書き込めません"},
    FaultCase{"PermissionsCannotBeKept", Call::CopyPermissions, 0, "出力ファイルに書き込めません"},
    FaultCase{"SyncFails", Call::Sync, 0, "出力ファイルに書き込めません"},
    FaultCase{"TemporaryCannotBeKept", Call::KeepTemporary, 0, "出力ファイルに書き込めません"},
    FaultCase{"CloseReportsWriteError", Call::Close, 1, "出力ファイルに書き込めません"},
    FaultCase{"ReplaceFails", Call::Replace, 0, "出力ファイルに書き込めません"},
    FaultCase{"NoMemoryToPutOutputInPlace", Call::Replace, 0, "出力ファイルに書き込めません",
              Strike::Throws},
};

// The faults of opening and reading the inputs, of creating the output, of a disk that
// fills up after some blocks, and of writing over bytes of blocks written before. The
// example's template is read in one block and closed after its head, before the output
// is; the rows take several blocks to read and many more to write. An R2000 drawing's
// $HANDSEED, in its first block, is written over once the rest is written. Memory that
// runs out ends the run with the message of the step it struck.
const FaultCase kOtherFaults[] = {
    FaultCase{"PointFileCannotBeOpened", Call::OpenForReading, 0, "ファイルが存在しません"},
    FaultCase{"TemplateCannotBeOpened", Call::OpenForReading, 1, "PreData.txtファイルが存在しません"},
    FaultCase{"TemplateReadBreaksOff", Call::Read, 0, "PreData.txtファイルを読み込めません"},
    FaultCase{"PointFileReadBreaksOff", Call::Read, 4, "ファイルを読み込めません"},
    FaultCase{"OutputCannotBeLookedAt", Call::Status, 0, "出力ファイルを作成できません"},
    FaultCase{"TemporaryCannotBeCreated", Call::CreateTemporary, 0, "出力ファイルを作成できません"},
    FaultCase{"DiskFillsUpMidway", Call::Write, 2, "出力ファイルに書き込めません"},
    FaultCase{"HandSeedCannotBeWritten", Call::WriteAt, 0, "出力ファイルに書き込めません",
              Strike::Fails, "PreData-R2000.txt"},
    FaultCase{"NoMemoryToOpenPointFile", Call::OpenForReading, 0, "ファイルを読み込めません",
              Strike::Throws},
    FaultCase{"NoMemoryToOpenTemplate", Call::OpenForReading, 1,
              "PreData.txtファイルを読み込めません", Strike::Throws},
    FaultCase{"NoMemoryToCreateOutput", Call::CreateTemporary, 0, "出力ファイルを作成できません",
              Strike::Throws},
};

std::vector<FaultCase> EveryFault() {
  std::vector<FaultCase> faults(std::begin(kOtherFaults), std::end(kOtherFaults));
  faults.insert(faults.end(), std::begin(kOutputFaults), std::end(kOutputFaults));
  return faults;
}

std::string FaultCaseName(const ::testing::TestParamInfo<InjectedFault::ParamType>& info) {
  return std::string(std::get<0>(info.param).name) +
         (std::get<1>(info.param) ? "WithNamedTemporary" : "");
}

INSTANTIATE_TEST_SUITE_P(Disk, InjectedFault,
                         ::testing::Combine(::testing::ValuesIn(EveryFault()), ::testing::Bool(),
                                            ::testing::Values(kManyBlocksOfRows)),
                         FaultCaseName);
// A drawing of one block starts no writing thread: its only write is made as the run
// commits, so a failure there must still be reported.
INSTANTIATE_TEST_SUITE_P(OneBlockDrawing, InjectedFault,
                         ::testing::Combine(::testing::ValuesIn(kOutputFaults), ::testing::Bool(),
                                            ::testing::Values(kOneBlockOfRows)),
                         FaultCaseName);

// A run that throws still gets its line, and the batch goes on with the next input.
TEST(InjectedFault, BatchConverterReportsAThrowingRunAndGoesOn) {
  ScratchDirectory directory;
  WriteFile(directory / "a.csv", "1,2,3\r\n");
  WriteFile(directory / "b.csv", "4,5,6\r\n");
  WriteFile(directory / "PreData.txt", ReadFile(SORVANE_EXAMPLES_DIR "/PreData.txt"));

  std::ostringstream out;
  std::ostringstream err;
  int status = -1;
  {
    FaultyDisk disk(Call::CreateTemporary, 0, false, Strike::Throws);
    const ScopedFileSystem faulty(disk);
    status = RunBatchConverter(std::vector<std::string>{"a.csv", "b.csv"}, out, err);
  }

  EXPECT_EQ(status, kExitSomeFailed);
  EXPECT_EQ(err.str(), "a.csv: 出力ファイルを作成できません\n");
  EXPECT_EQ(out.str(), "b.csv: 変換しました\n");
}

}  // namespace
}  // namespace sorvane

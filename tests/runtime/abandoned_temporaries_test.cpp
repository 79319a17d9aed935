// A temporary file that a killed run left in a folder is removed by the next run that
// writes there; one that a run still holds, or one of another machine, stays.

#include "runtime/file_system.h"
#include "runtime/replacement_file.h"
#include "runtime/temporary_owner.h"

#include "tests/support/case_names.h"
#include "tests/support/scratch_directory.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <optional>
#include <string>

namespace sorvane {
namespace {

using testing::ScratchDirectory;
using testing::TemporaryFilesBelow;
using testing::WriteFile;

// Beyond the process numbers of Linux (at most 2^22) and of Windows.
constexpr std::uint64_t kNoSuchProcess = std::uint64_t{1} << 30;

// Lets a run write into `directory`, which removes what killed runs left there.
void RunWritesInto(const ScratchDirectory& directory) {
  ReplacementFile next;
  ASSERT_EQ(next.Create(directory / "out.dxf", {}), ReplacementFile::CreateStatus::Created);
  next.Discard();
}

struct LeftCase {
  const char* name;
  std::function<std::string(const TemporaryOwner& self)> fileName;
  bool removed;
};

class TemporaryLeftInFolder : public ::testing::TestWithParam<LeftCase> {};

// No run holds these files: whose process it was no longer matters, only the machine.
TEST_P(TemporaryLeftInFolder, GoesWhenNoRunHoldsIt) {
  const LeftCase& c = GetParam();
  ScratchDirectory directory;
  WriteFile(directory / c.fileName(ThisProcessAsOwner()), "half a drawing");

  RunWritesInto(directory);

  EXPECT_EQ(TemporaryFilesBelow(directory.Path()).size(), c.removed ? 0u : 1u);
}

INSTANTIATE_TEST_SUITE_P(
    AbandonedTemporaries, TemporaryLeftInFolder,
    ::testing::Values(
        LeftCase{"OfAnEndedProcess",
                 [](const TemporaryOwner& self) {
                   return TemporaryName({self.machine, kNoSuchProcess}, 7);
                 },
                 true},
        LeftCase{"OfThisProcessButNotHeld",
                 [](const TemporaryOwner& self) { return TemporaryName(self, 7); }, true},
        LeftCase{"OfAnotherMachine",
                 [](const TemporaryOwner& self) {
                   return TemporaryName({self.machine ^ 1, kNoSuchProcess}, 7);
                 },
                 false},
        // Versions that guessed from the process whether a run still wrote held nothing.
        LeftCase{"OfAnEarlierVersion",
                 [](const TemporaryOwner& self) {
                   char name[64];
                   std::snprintf(name, sizeof name, ".sorvane-%08x-%u-12345-7.tmp",
                                 static_cast<unsigned>(self.machine), 1u << 30);
                   return std::string(name);
                 },
                 false},
        LeftCase{"WithoutAnOwnerInItsName",
                 [](const TemporaryOwner&) { return std::string(".sorvane-12345.tmp"); }, false}),
    [](const auto& info) { return std::string(info.param.name); });

// A run holds its temporary by its handle while it writes, and by the second handle of
// a kept temporary while it puts the file in place, whichever process looks.
TEST(AbandonedTemporaries, StaysWhileItsRunHoldsIt) {
  ScratchDirectory directory;
  FileSystem& fileSystem = CurrentFileSystem();
  std::optional<TemporaryFile> temporary = fileSystem.CreateTemporary(directory.Path());
  ASSERT_TRUE(temporary.has_value());
  ASSERT_TRUE(fileSystem.KeepTemporary(*temporary, directory.Path()));

  RunWritesInto(directory);
  EXPECT_EQ(TemporaryFilesBelow(directory.Path()), std::vector<std::string>{temporary->path});

  EXPECT_TRUE(fileSystem.Close(temporary->handle));
  EXPECT_FALSE(fileSystem.RemoveAbandonedTemporary(temporary->path));
  EXPECT_TRUE(fileSystem.Close(temporary->lock));
  EXPECT_TRUE(fileSystem.RemoveAbandonedTemporary(temporary->path));
  EXPECT_EQ(TemporaryFilesBelow(directory.Path()), std::vector<std::string>{});
}

}  // namespace
}  // namespace sorvane

// A temporary file that a killed run left in a folder is removed by the next run that
// writes there; one whose process still runs, or that this machine cannot judge, stays.

#include "runtime/replacement_file.h"
#include "runtime/temporary_owner.h"

#include "tests/support/case_names.h"
#include "tests/support/scratch_directory.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace sorvane {
namespace {

using testing::ScratchDirectory;
using testing::WriteFile;

// Beyond the process numbers of Linux (at most 2^22) and of Windows.
constexpr std::uint64_t kNoSuchProcess = std::uint64_t{1} << 30;

struct LeftCase {
  const char* name;
  std::function<std::string(const TemporaryOwner& self)> fileName;
  bool removed;
};

class TemporaryLeftInFolder : public ::testing::TestWithParam<LeftCase> {};

TEST_P(TemporaryLeftInFolder, GoesOnlyWhenItsRunHasEnded) {
  const LeftCase& c = GetParam();
  ScratchDirectory directory;
  const std::string left = c.fileName(ThisProcessAsOwner());
  WriteFile(directory / left, "half a drawing");

  ReplacementFile next;
  ASSERT_EQ(next.Create(directory / "out.dxf", {}), ReplacementFile::CreateStatus::Created);
  next.Discard();

  EXPECT_EQ(testing::TemporaryFilesBelow(directory.Path()).size(), c.removed ? 0u : 1u);
}

INSTANTIATE_TEST_SUITE_P(
    AbandonedTemporaries, TemporaryLeftInFolder,
    ::testing::Values(
        LeftCase{"OfThisRunningProcess",
                 [](const TemporaryOwner& self) { return TemporaryName(self, 7); }, false},
        LeftCase{"OfAnEndedProcess",
                 [](const TemporaryOwner& self) {
                   return TemporaryName({self.machine, kNoSuchProcess, self.started}, 7);
                 },
                 true},
        LeftCase{"OfAnEndedProcessWhoseNumberIsInUseAgain",
                 [](const TemporaryOwner& self) {
                   return TemporaryName({self.machine, self.process, self.started + 1}, 7);
                 },
                 true},
        LeftCase{"OfAnotherMachine",
                 [](const TemporaryOwner& self) {
                   return TemporaryName({self.machine ^ 1, kNoSuchProcess, self.started}, 7);
                 },
                 false},
        LeftCase{"WithoutAnOwnerInItsName",
                 [](const TemporaryOwner&) { return std::string(".sorvane-12345.tmp"); }, false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sorvane

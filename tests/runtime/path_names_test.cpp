// The folder of a path decides where the temporary output goes: beside the output, on
// the same volume, so that putting it in place is one rename.

#include "runtime/path_names.h"

#include "tests/support/case_names.h"

#include <gtest/gtest.h>

#include <string>

namespace sorvane {
namespace {

struct FolderCase {
  const char* name;
  PathStyle style;
  const char* path;
  const char* directory;
  bool absolute;
};

class PathFolder : public ::testing::TestWithParam<FolderCase> {};

TEST_P(PathFolder, IsTheFolderThatHoldsIt) {
  const FolderCase& c = GetParam();
  EXPECT_EQ(DirectoryOf(c.path, c.style), c.directory);
  EXPECT_EQ(IsAbsolutePath(c.path, c.style), c.absolute);
}

constexpr PathStyle kWindows = PathStyle::Windows;
constexpr PathStyle kPosix = PathStyle::Posix;

INSTANTIATE_TEST_SUITE_P(
    PathNames, PathFolder,
    ::testing::Values(
        FolderCase{"PosixBareName", kPosix, "out.dxf", ".", false},
        FolderCase{"PosixRelative", kPosix, "sub/out.dxf", "sub", false},
        FolderCase{"PosixInRoot", kPosix, "/out.dxf", "/", true},
        FolderCase{"PosixDeep", kPosix, "/data/v1.2/out.dxf", "/data/v1.2", true},
        FolderCase{"PosixBackslashIsNoSeparator", kPosix, "C:\\data\\out.dxf", ".", false},
        FolderCase{"WindowsBareName", kWindows, "out.dxf", ".", false},
        FolderCase{"WindowsDriveRoot", kWindows, "C:\\out.dxf", "C:\\", true},
        FolderCase{"WindowsDriveRootSlash", kWindows, "C:/out.dxf", "C:/", true},
        FolderCase{"WindowsFolder", kWindows, "C:\\data/v1.2\\out.dxf", "C:\\data/v1.2", true},
        FolderCase{"WindowsDriveRelative", kWindows, "C:out.dxf", "C:", false},
        FolderCase{"WindowsCurrentDriveRoot", kWindows, "\\out.dxf", "\\", false},
        FolderCase{"WindowsLongPath", kWindows, "\\\\?\\C:\\data\\out.dxf", "\\\\?\\C:\\data", true},
        FolderCase{"WindowsShare", kWindows, "\\\\server\\share\\out.dxf", "\\\\server\\share", true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PathNames, JoinsWithOneSeparator) {
  EXPECT_EQ(JoinPath("/data", "a.tmp", kPosix), "/data/a.tmp");
  EXPECT_EQ(JoinPath("/", "a.tmp", kPosix), "/a.tmp");
  EXPECT_EQ(JoinPath("C:\\", "a.tmp", kWindows), "C:\\a.tmp");
  EXPECT_EQ(JoinPath("C:", "a.tmp", kWindows), "C:a.tmp");
  EXPECT_EQ(JoinPath("C:\\data", "a.tmp", kWindows), "C:\\data\\a.tmp");
}

}  // namespace
}  // namespace sorvane

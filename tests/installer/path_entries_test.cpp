// The installer's folder in the system's PATH: added once, and taken out again leaving
// the rest as it was, whatever was added around it in between.

#include "installer/path_entries.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace sorvane::installer {
namespace {

constexpr std::wstring_view kFolder = L"C:\\Program Files\\Sorvane";

struct PathCase {
  const char* name;
  std::wstring before;
  std::wstring added;  // before, with the folder added
};
void PrintTo(const PathCase& c, std::ostream* out) { *out << c.name; }

class PathEntryRoundTrip : public ::testing::TestWithParam<PathCase> {};

TEST_P(PathEntryRoundTrip, AddsTheFolderAndTakesItOutAgain) {
  const PathCase& c = GetParam();
  EXPECT_FALSE(HasPathEntry(c.before, kFolder));
  EXPECT_EQ(WithPathEntry(c.before, kFolder), c.added);
  EXPECT_TRUE(HasPathEntry(c.added, kFolder));
  EXPECT_EQ(WithoutPathEntry(c.added, kFolder), c.before);
  // Another program's folder added after it, then this one removed first: as if this
  // one had never been there.
  EXPECT_EQ(WithoutPathEntry(WithPathEntry(c.added, L"D:\\tools"), kFolder),
            WithPathEntry(c.before, L"D:\\tools"));
}

INSTANTIATE_TEST_SUITE_P(
    Installer, PathEntryRoundTrip,
    ::testing::Values(
        PathCase{"Ordinary", L"%SystemRoot%\\system32;%SystemRoot%",
                 L"%SystemRoot%\\system32;%SystemRoot%;C:\\Program Files\\Sorvane"},
        PathCase{"EndingInSeparator", L"C:\\bin;", L"C:\\bin;C:\\Program Files\\Sorvane;"},
        PathCase{"Empty", L"", L"C:\\Program Files\\Sorvane"},
        PathCase{"LikeNamedFolderKept", L"C:\\Program Files\\Sorvane2;C:\\Program Files",
                 L"C:\\Program Files\\Sorvane2;C:\\Program Files;C:\\Program Files\\Sorvane"},
        PathCase{"LongerThanAnyBuffer", std::wstring(40000, L'x'),
                 std::wstring(40000, L'x') + L";C:\\Program Files\\Sorvane"}),
    [](const auto& info) { return std::string(info.param.name); });

// A folder already there, however spelled, is not added twice; one that is not there
// leaves PATH as it is when removed.
TEST(PathEntry, FoundAsWindowsFindsAFolder) {
  EXPECT_TRUE(HasPathEntry(L"C:\\bin;c:\\program files\\sorvane\\;D:\\", kFolder));
  EXPECT_FALSE(HasPathEntry(L"C:\\Program Files\\Sorvane Tools", kFolder));
  EXPECT_EQ(WithoutPathEntry(L"C:\\bin;C:\\Program Files", kFolder), L"C:\\bin;C:\\Program Files");
}

// The MSI names its folder with a final "\", the setup program without one.
TEST(PathEntry, NamedWithoutFinalBackslashButForARoot) {
  EXPECT_EQ(AsPathEntry(L"C:\\Program Files\\Sorvane\\"), kFolder);
  EXPECT_EQ(AsPathEntry(kFolder), kFolder);
  EXPECT_EQ(AsPathEntry(L"D:\\"), L"D:\\");
}

}  // namespace
}  // namespace sorvane::installer

#include "selection/folder_listing.h"

#include "runtime/utf8_path.h"
#include "tests/selection/folder_listing_fixture.h"
#include "tests/support/scratch_directory.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

namespace sorvane {
namespace {

using ::testing::ElementsAre;
namespace fs = std::filesystem;

struct PatternCase {
  const char* name;
  const char* pattern;
  bool matches;
};

class PatternMatch : public ::testing::TestWithParam<PatternCase> {};

TEST_P(PatternMatch, FollowsTheWildcardsIgnoringCase) {
  const PatternCase& c = GetParam();
  EXPECT_EQ(MatchesPattern(c.name, c.pattern), c.matches) << c.name << " ~ " << c.pattern;
}

INSTANTIATE_TEST_SUITE_P(
    Wildcards, PatternMatch,
    ::testing::Values(PatternCase{"pts.csv", "*.csv", true}, PatternCase{"PTS.CSV", "*.csv", true},
                      PatternCase{"a.Csv", "*.csv", true}, PatternCase{".csv", "*.csv", true},
                      PatternCase{"a.csv.csv", "*.csv", true}, PatternCase{"pts.csv.bak", "*.csv", false},
                      PatternCase{"pts.cs", "*.csv", false}, PatternCase{"ptscsv", "*.csv", false},
                      PatternCase{"点群.csv", "*.csv", true}, PatternCase{"a.csv", "?.csv", true},
                      PatternCase{"ab.csv", "?.csv", false}, PatternCase{"anything", "*", true},
                      PatternCase{"", "*", true}, PatternCase{"", "?", false}));

TEST_F(FolderListingTest, FolderThatCannotBeReadGivesNothing) {
  MakeFile("plain.csv");
  for (const std::string& folder : {scratch / "missing", scratch / "plain.csv"}) {
    EXPECT_EQ(ListSubfolders(folder), std::nullopt) << folder;
    EXPECT_EQ(ListMatchingFiles(folder, "*.csv"), std::nullopt) << folder;
  }
}

// In the system's own separators: "\\home\\ann" on Windows.
std::string Native(const char* path) { return Utf8FromPath(fs::path(path).make_preferred()); }

TEST(FolderChain, NamesEveryFolderFromTheRootDown) {
  EXPECT_THAT(FolderChain(Native("/")), ElementsAre(Native("/")));
  EXPECT_THAT(FolderChain(Native("/home/ann/v1.2")),
              ElementsAre(Native("/"), Native("/home"), Native("/home/ann"), Native("/home/ann/v1.2")));
}

}  // namespace
}  // namespace sorvane

#include "selection/folder_listing.h"

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

class FolderListingTest : public ::testing::Test {
 protected:
  void MakeFile(const std::string& name) { testing::WriteFile(scratch / name, "1,2,3\n"); }
  void MakeFolder(const std::string& name) { fs::create_directory(scratch / name); }

  testing::ScratchDirectory scratch;
};

TEST_F(FolderListingTest, FileListShowsVisibleRegularMatchingFilesSorted) {
  for (const char* name : {"b.csv", "A.CSV", "c.txt", ".hidden.csv", "a.csv.bak", "Z.csv"}) MakeFile(name);
  MakeFolder("folder.csv");
  fs::create_symlink(scratch / "b.csv", scratch / "link.csv");
  fs::create_symlink(scratch / "missing", scratch / "dangling.csv");

  EXPECT_THAT(ListMatchingFiles(scratch.Path(), "*.csv"),
              ::testing::Optional(ElementsAre("A.CSV", "b.csv", "link.csv", "Z.csv")));
}

TEST_F(FolderListingTest, DirectoryListShowsVisibleFoldersSorted) {
  for (const char* name : {"beta", "Alpha", ".git", "gamma"}) MakeFolder(name);
  MakeFile("file.csv");
  fs::create_directory_symlink(scratch / "gamma", scratch / "delta");

  EXPECT_THAT(ListSubfolders(scratch.Path()),
              ::testing::Optional(ElementsAre("Alpha", "beta", "delta", "gamma")));
}

TEST_F(FolderListingTest, FolderThatCannotBeReadGivesNothing) {
  MakeFile("plain.csv");
  for (const std::string& folder : {scratch / "missing", scratch / "plain.csv"}) {
    EXPECT_EQ(ListSubfolders(folder), std::nullopt) << folder;
    EXPECT_EQ(ListMatchingFiles(folder, "*.csv"), std::nullopt) << folder;
  }
}

TEST(FolderChain, NamesEveryFolderFromTheRootDown) {
  EXPECT_THAT(FolderChain("/"), ElementsAre("/"));
  EXPECT_THAT(FolderChain("/home/ann/v1.2"), ElementsAre("/", "/home", "/home/ann", "/home/ann/v1.2"));
}

}  // namespace
}  // namespace sorvane

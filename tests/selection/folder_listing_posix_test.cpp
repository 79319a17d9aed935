#include "selection/folder_listing.h"

#include "tests/selection/folder_listing_fixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

namespace sorvane {
namespace {

using ::testing::ElementsAre;
namespace fs = std::filesystem;

// Links are listed as what they name; a name that begins with "." is hidden.
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

// Names that differ only in case (which only a case-sensitive file system holds) stand
// together, in the order of their bytes, however the folder happens to be read.
TEST_F(FolderListingTest, NamesThatDifferOnlyInCaseKeepOneOrder) {
  for (const char* name : {"ab", "B", "aB", "Ab", "AB"}) {
    MakeFile(std::string(name) + ".csv");
    MakeFolder(name);
  }
  EXPECT_THAT(ListMatchingFiles(scratch.Path(), "*.csv"),
              ::testing::Optional(ElementsAre("AB.csv", "Ab.csv", "aB.csv", "ab.csv", "B.csv")));
  EXPECT_THAT(ListSubfolders(scratch.Path()), ::testing::Optional(ElementsAre("AB", "Ab", "aB", "ab", "B")));
}

}  // namespace
}  // namespace sorvane

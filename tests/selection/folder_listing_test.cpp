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

#include "selection/folder_listing.h"

#include "runtime/windows_text.h"
#include "tests/selection/folder_listing_fixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <windows.h>

namespace sorvane {
namespace {

using ::testing::ElementsAre;

TEST_F(FolderListingTest, HiddenAndSystemEntriesAreLeftOut) {
  for (const char* name : {"b.csv", "A.CSV", "hidden.csv", "system.csv"}) MakeFile(name);
  for (const char* name : {"folder", "hidden folder"}) MakeFolder(name);
  const auto mark = [&](const char* name, DWORD attribute) {
    ASSERT_TRUE(::SetFileAttributesW(WideFromUtf8(scratch / name).c_str(), attribute));
  };
  mark("hidden.csv", FILE_ATTRIBUTE_HIDDEN);
  mark("system.csv", FILE_ATTRIBUTE_SYSTEM);
  mark("hidden folder", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY);

  EXPECT_THAT(ListMatchingFiles(scratch.Path(), "*.csv"),
              ::testing::Optional(ElementsAre("A.CSV", "b.csv")));
  EXPECT_THAT(ListSubfolders(scratch.Path()), ::testing::Optional(ElementsAre("folder")));
}

}  // namespace
}  // namespace sorvane

#include "selection/folder_listing.h"

#include "runtime/utf8_path.h"
#include "tests/selection/folder_listing_fixture.h"
#include "tests/support/case_names.h"
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
  const char* fileName;
  const char* pattern;
  bool matches;
};

class PatternMatch : public ::testing::TestWithParam<PatternCase> {};

TEST_P(PatternMatch, FollowsTheWildcardsIgnoringCase) {
  const PatternCase& c = GetParam();
  EXPECT_EQ(MatchesPattern(c.fileName, c.pattern), c.matches) << c.fileName << " ~ " << c.pattern;
}

INSTANTIATE_TEST_SUITE_P(
    Wildcards, PatternMatch,
    ::testing::Values(PatternCase{"Extension", "pts.csv", "*.csv", true},
                      PatternCase{"UpperCase", "PTS.CSV", "*.csv", true},
                      PatternCase{"MixedCase", "a.Csv", "*.csv", true},
                      PatternCase{"OnlyTheExtension", ".csv", "*.csv", true},
                      PatternCase{"ExtensionTwice", "a.csv.csv", "*.csv", true},
                      PatternCase{"AnotherExtensionAfter", "pts.csv.bak", "*.csv", false},
                      PatternCase{"ShorterExtension", "pts.cs", "*.csv", false},
                      PatternCase{"NoDot", "ptscsv", "*.csv", false},
                      PatternCase{"Japanese", "点群.csv", "*.csv", true},
                      PatternCase{"OneCharacter", "a.csv", "?.csv", true},
                      PatternCase{"TwoCharactersForOne", "ab.csv", "?.csv", false},
                      PatternCase{"StarMatchesAll", "anything", "*", true},
                      PatternCase{"StarMatchesEmpty", "", "*", true},
                      PatternCase{"QuestionNeedsOne", "", "?", false}),
    [](const auto& info) { return std::string(info.param.name); });

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

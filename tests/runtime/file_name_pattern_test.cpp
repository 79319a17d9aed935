// How names match a wildcard and stand in a list: one rule for the window's lists on
// every system and for the batch converter's wildcards on Windows.

#include "runtime/file_name_pattern.h"

#include "tests/support/case_names.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace sorvane {
namespace {

struct PatternCase {
  const char* name;
  std::string fileName;
  std::string pattern;
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
                      PatternCase{"QuestionNeedsOne", "", "?", false},
                      PatternCase{"StarsTakeWhatTheRestLeaves", "c.csv.bak", "*c*v*", true},
                      PatternCase{"StarGoesBackForTheRest", "abcabd.csv", "*abd.*", true},
                      // A character, not a byte, is one.
                      PatternCase{"QuestionIsOneJapaneseCharacter", "点.csv", "?.csv", true},
                      PatternCase{"QuestionIsOneStrayByte", "\xFF.csv", "?.csv", true},
                      PatternCase{"StrayByteIsItself", "\xFE.csv", "\xFF.csv", false},
                      // Every alphabet's letters, as Windows' file systems compare them.
                      PatternCase{"AccentedLetterInEitherCase", "École.csv", "é*", true},
                      PatternCase{"CyrillicInEitherCase", "ТОЧКИ.csv", "точки.*", true},
                      PatternCase{"FullWidthInEitherCase", "ＰＴＳ.csv", "ｐｔｓ.csv", true},
                      PatternCase{"FullWidthIsNoAscii", "PTS.csv", "ＰＴＳ.csv", false},
                      PatternCase{"AccentIsNoCase", "ecole.csv", "é*", false}),
    [](const auto& info) { return std::string(info.param.name); });

// Letters as their capitals, character by character (so "_" comes after "Z", as on
// Windows); names that differ only in case in the order of their bytes; a stray byte
// after every character.
TEST(NameOrder, IsByCapitalsThenByBytes) {
  const std::vector<std::string> ordered = {
      "a", "a.csv", "AB.csv", "Ab.csv", "aB.csv", "ab.csv", "B.csv", "ecole.csv",
      "Z.csv", "_.csv", "École.csv", "école.csv", "点群.csv", "\xFF.csv"};
  for (int start = 0; start < 3; ++start) {
    std::vector<std::string> names(ordered.rbegin(), ordered.rend());
    std::rotate(names.begin(), names.begin() + start * 5, names.end());
    std::sort(names.begin(), names.end(), NameComesBefore);
    EXPECT_EQ(names, ordered);
  }
}

}  // namespace
}  // namespace sorvane

#include "selection/path_derivation.h"

#include "tests/support/case_names.h"

#include <gtest/gtest.h>

#include <string>

namespace sorvane {
namespace {

struct OutPathCase {
  const char* name;
  const char* inPath;
  const char* outPath;
};

class DeriveOutPathRule : public ::testing::TestWithParam<OutPathCase> {};

TEST_P(DeriveOutPathRule, CutsTheFileNameAtItsFirstDot) {
  EXPECT_EQ(DeriveOutPath(GetParam().inPath, PathStyle::Posix), GetParam().outPath);
}

INSTANTIATE_TEST_SUITE_P(
    PathDerivation, DeriveOutPathRule,
    ::testing::Values(
        OutPathCase{"Extension", "/data/pts.csv", "/data/pts.dxf"},
        OutPathCase{"DotInDirectoryIgnored", "/data/v1.2/pts.csv", "/data/v1.2/pts.dxf"},
        OutPathCase{"DotInDirectoryNameWithoutDot", "/data/v1.2/pts", "/data/v1.2/pts.dxf"},
        OutPathCase{"FirstDotOfName", "pts.old.csv", "pts.dxf"},
        OutPathCase{"NameIsOnlyExtension", ".csv", ".dxf"},
        OutPathCase{"HiddenFileInDirectory", "/data/.pts.csv", "/data/.dxf"},
        OutPathCase{"NoDotAppends", "/data/pts", "/data/pts.dxf"},
        OutPathCase{"TrailingDot", "pts.", "pts.dxf"},
        OutPathCase{"CapitalExtension", "/data/PTS.CSV", "/data/PTS.dxf"},
        OutPathCase{"RootFile", "/pts.csv", "/pts.dxf"},
        // Only U+002E cuts; the full-width full stop U+FF0E is part of the name.
        OutPathCase{"FullWidthFullStopIsNotADot", "/data/\xE6\xB8\xAC\xE7\x82\xB9\xEF\xBC\x8E" "csv",
                    "/data/\xE6\xB8\xAC\xE7\x82\xB9\xEF\xBC\x8E" "csv.dxf"},
        OutPathCase{"FullWidthFullStopBeforeDot", "/data/a\xEF\xBC\x8E" "b.csv",
                    "/data/a\xEF\xBC\x8E" "b.dxf"}),
    [](const auto& info) { return std::string(info.param.name); });

struct InPathCase {
  const char* name;
  const char* directory;
  const char* fileName;
  const char* inPath;
};

class DeriveInPathRule : public ::testing::TestWithParam<InPathCase> {};

TEST_P(DeriveInPathRule, JoinsWithOneSeparator) {
  EXPECT_EQ(DeriveInPath(GetParam().directory, GetParam().fileName, PathStyle::Posix),
            GetParam().inPath);
}

INSTANTIATE_TEST_SUITE_P(
    PathDerivation, DeriveInPathRule,
    ::testing::Values(InPathCase{"Directory", "/data", "pts.csv", "/data/pts.csv"},
                      InPathCase{"Root", "/", "pts.csv", "/pts.csv"},
                      InPathCase{"TrailingSeparatorDropped", "/data/", "pts.csv", "/data/pts.csv"},
                      InPathCase{"OnlyOneSeparatorDropped", "/data//", "pts.csv", "/data//pts.csv"},
                      InPathCase{"DotsKept", "/data/v1.2", "pts.old.csv", "/data/v1.2/pts.old.csv"}),
    [](const auto& info) { return std::string(info.param.name); });

struct StyledCase {
  const char* name;
  PathStyle style;
  const char* directory;
  const char* fileName;
  const char* inPath;
  const char* outPath;
};

class DerivationByPathStyle : public ::testing::TestWithParam<StyledCase> {};

// Windows separates with "\" and "/" alike; elsewhere "\" is a character of a name.
TEST_P(DerivationByPathStyle, UsesThatSystemsSeparators) {
  const StyledCase& c = GetParam();
  const std::string inPath = DeriveInPath(c.directory, c.fileName, c.style);
  EXPECT_EQ(inPath, c.inPath);
  EXPECT_EQ(DeriveOutPath(inPath, c.style), c.outPath);
}

constexpr PathStyle kWindows = PathStyle::Windows;
constexpr PathStyle kPosix = PathStyle::Posix;

INSTANTIATE_TEST_SUITE_P(
    PathDerivation, DerivationByPathStyle,
    ::testing::Values(
        StyledCase{"WindowsDirectory", kWindows, "C:\\data", "pts.csv", "C:\\data\\pts.csv",
                   "C:\\data\\pts.dxf"},
        StyledCase{"WindowsDriveRoot", kWindows, "C:\\", "pts.csv", "C:\\pts.csv", "C:\\pts.dxf"},
        StyledCase{"WindowsDotInDirectory", kWindows, "C:\\ver1.2", "pts.csv",
                   "C:\\ver1.2\\pts.csv", "C:\\ver1.2\\pts.dxf"},
        StyledCase{"WindowsFirstDotOfName", kWindows, "C:\\data", "pts.old.csv",
                   "C:\\data\\pts.old.csv", "C:\\data\\pts.dxf"},
        StyledCase{"WindowsNameIsOnlyExtension", kWindows, "C:\\data", ".csv", "C:\\data\\.csv",
                   "C:\\data\\.dxf"},
        StyledCase{"WindowsForwardSlashes", kWindows, "C:/ver1.2/", "pts.csv", "C:/ver1.2\\pts.csv",
                   "C:/ver1.2\\pts.dxf"},
        StyledCase{"WindowsServerShare", kWindows, "\\\\server\\v1.2", "pts.csv",
                   "\\\\server\\v1.2\\pts.csv", "\\\\server\\v1.2\\pts.dxf"},
        StyledCase{"PosixBackslashIsPartOfTheName", kPosix, "/data/v1.2\\x", "pts.csv",
                   "/data/v1.2\\x/pts.csv", "/data/v1.2\\x/pts.dxf"},
        StyledCase{"PosixBackslashNameCutAtItsFirstDot", kPosix, "/data", "v1.2\\pts.csv",
                   "/data/v1.2\\pts.csv", "/data/v1.dxf"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sorvane

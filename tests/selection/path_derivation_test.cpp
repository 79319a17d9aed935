#include "path_derivation.h"

#include "case_names.h"

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
  EXPECT_EQ(DeriveOutPath(GetParam().inPath), GetParam().outPath);
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
  EXPECT_EQ(DeriveInPath(GetParam().directory, GetParam().fileName), GetParam().inPath);
}

INSTANTIATE_TEST_SUITE_P(
    PathDerivation, DeriveInPathRule,
    ::testing::Values(InPathCase{"Directory", "/data", "pts.csv", "/data/pts.csv"},
                      InPathCase{"Root", "/", "pts.csv", "/pts.csv"},
                      InPathCase{"TrailingSeparatorDropped", "/data/", "pts.csv", "/data/pts.csv"},
                      InPathCase{"OnlyOneSeparatorDropped", "/data//", "pts.csv", "/data//pts.csv"},
                      InPathCase{"DotsKept", "/data/v1.2", "pts.old.csv", "/data/v1.2/pts.old.csv"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sorvane

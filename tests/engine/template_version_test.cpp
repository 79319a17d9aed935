#include "engine/template_version.h"

#include "tests/support/case_names.h"

#include <gtest/gtest.h>

#include <ostream>

#include <string>
#include <string_view>

namespace sorvane {
namespace {

using namespace std::string_view_literals;
using Verdict = TemplateVersionWatcher::Verdict;

struct VersionCase {
  const char* name;
  std::string_view lines;  // LF between lines
  Verdict verdict;
  std::size_t linesTaken;  // until the verdict, or all
};

class TemplateVersion : public ::testing::TestWithParam<VersionCase> {};

TEST_P(TemplateVersion, IsDecidedAtTheRightLine) {
  TemplateVersionWatcher watcher;
  Verdict verdict = Verdict::Undecided;
  std::size_t taken = 0;
  std::string_view rest = GetParam().lines;
  while (verdict == Verdict::Undecided && !rest.empty()) {
    const std::size_t end = std::min(rest.find('\n'), rest.size());
    verdict = watcher.Take(rest.substr(0, end));
    ++taken;
    rest.remove_prefix(std::min(end + 1, rest.size()));
  }
  EXPECT_EQ(verdict, GetParam().verdict);
  EXPECT_EQ(taken, GetParam().linesTaken);
}

INSTANTIATE_TEST_SUITE_P(
    TemplateVersionWatcher, TemplateVersion,
    ::testing::Values(
        VersionCase{"R12", "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1009\n", Verdict::Legacy,
                    8},
        VersionCase{"R2000", "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1015\n",
                    Verdict::R13OrNewer, 8},
        VersionCase{"R13IsTheFirstWithHandles", "0\nSECTION\n2\nHEADER\n9\n$ACADVER\n1\nAC1012\n",
                    Verdict::R13OrNewer, 8},
        VersionCase{"JustBeforeR13", "0\nSECTION\n2\nHEADER\n9\n$ACADVER\n1\nAC1011\n",
                    Verdict::Legacy, 8},
        VersionCase{"BlanksAroundCodesAndValues",
                    "  0 \n SECTION\n2\nHEADER \n  9\n$ACADVER\n  1\n AC1032 \n",
                    Verdict::R13OrNewer, 8},
        VersionCase{"CommentsBeforeAndBetween",
                    "999\nmade by hand\n  0\nSECTION\n  2\nHEADER\n999\nnote\n  9\n$ACADVER\n"
                    "  1\nAC1018\n",
                    Verdict::R13OrNewer, 12},
        VersionCase{"VersionAfterOtherVariables",
                    "  0\nSECTION\n  2\nHEADER\n  9\n$INSBASE\n 10\n0.0\n 20\n0.0\n  9\n"
                    "$ACADVER\n  1\nAC1024\n",
                    Verdict::R13OrNewer, 14},
        // A value ENTITIES is data: only a section's name can end a head.
        VersionCase{"LayerNamedEntitiesBeforeVersion",
                    "  0\nSECTION\n  2\nHEADER\n  9\n$CLAYER\n  8\nENTITIES\n  9\n$ACADVER\n"
                    "  1\nAC1015\n",
                    Verdict::R13OrNewer, 12},
        VersionCase{"NoVersionInHeader", "  0\nSECTION\n  2\nHEADER\n  9\n$CLAYER\n  8\n0\n  0\nENDSEC\n",
                    Verdict::Legacy, 10},
        VersionCase{"FirstSectionNotHeader", "  0\nSECTION\n  2\nTABLES\n", Verdict::Legacy, 4},
        VersionCase{"CodeLineNotAnInteger", "SECTION\nHEADER\n", Verdict::Legacy, 1},
        VersionCase{"VersionWithoutItsGroup", "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  9\n$CLAYER\n",
                    Verdict::Legacy, 8},
        VersionCase{"VersionNotOfTheForm", "0\nSECTION\n2\nHEADER\n9\n$ACADVER\n1\nAC2.10\n",
                    Verdict::Legacy, 8},
        VersionCase{"HeaderNeverEnds", "  0\nSECTION\n  2\nHEADER\n  9\n$CLAYER\n", Verdict::Undecided,
                    6},
        // Not text: copied as a head, each would open a drawing no reader takes.
        VersionCase{"BinaryDxf", "AutoCAD Binary DXF\n\x1A\0\0\0SECTION\0"sv, Verdict::NotText, 1},
        VersionCase{"Utf16WithByteOrderMark", "\xFF\xFE \0 \0""0\0\r\0\n"sv, Verdict::NotText, 1},
        VersionCase{"Utf16BigEndianWithoutByteOrderMark", "\0 \0 \0""0\0\r\0\n"sv, Verdict::NotText,
                    1},
        VersionCase{"Utf32WithByteOrderMark", "\xFF\xFE\0\0 \0\0\0"sv, Verdict::NotText, 1},
        VersionCase{"NulInALaterLine", "  0\nSECTION\n  2\nHEA\0DER\n"sv, Verdict::NotText, 4},
        VersionCase{"ByteOrderMarkOnlyAtTheStart",
                    "999\n\xFF\xFEnote\n  0\nSECTION\n  2\nTABLES\n", Verdict::Legacy, 6}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sorvane

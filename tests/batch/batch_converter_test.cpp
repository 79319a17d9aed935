#include "batch/batch_converter.h"

#include "tests/support/case_names.h"
#include "tests/support/scratch_directory.h"
#include "version/sorvane_version.h"

#include <gtest/gtest.h>

#include <ostream>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace sorvane {
namespace {

namespace fs = std::filesystem;
using testing::ScratchDirectory;
using testing::Snapshot;
using testing::WriteFile;

constexpr std::string_view kUsageLine = "Usage: sorvane-convert [OPTION]... INPUT...\n";

// What --help prints.
const std::string kHelp =
    std::string(kUsageLine) +
    "Converts each point file INPUT (X,Y,Z a line) into a DXF drawing whose head is\n"
    "taken from TEMPLATE. Where the shell leaves wildcards to the program (Windows),\n"
    "it expands * and ? in each INPUT itself.\n"
    "An INPUT whose drawing would replace the one written for an earlier INPUT (a.csv\n"
    "and a.old.csv both give a.dxf) is not converted, and the earlier drawing is kept.\n"
    "\n"
    "Options:\n"
    "  -t TEMPLATE  the template (default: PreData.txt in the current directory); one\n"
    "               of DXF R12 is copied up to its ENTITIES line, one of R13 or newer\n"
    "               gives a drawing of its version with its sections after ENTITIES\n"
    "  -o OUTPUT    the drawing to write, for exactly one INPUT (default: INPUT with\n"
    "               its extension replaced by .dxf)\n"
    "  --3d         writes a 3D polyline, whose vertices keep their Z in every reader\n"
    "  --           ends the options, so that an INPUT may begin with -\n"
    "  --help, /?   prints this help and exits\n"
    "  --version    prints the program's version and exits\n"
    "\n"
    "Point files as surveyors write them:\n"
    "  --columns LIST   the fields of a row in order, separated by commas: x, y, z\n"
    "                   (the drawing's axes), n and e (the northing, which becomes\n"
    "                   the drawing's Y, and the easting, its X), name (the point's\n"
    "                   name), - (a field not read); one of x and e and one of y and\n"
    "                   n are needed, Z is 0 without z, fields after the last are not\n"
    "                   read (default: x,y,z)\n"
    "  --skip-lines N   the first N lines are no rows (headers, titles)\n"
    "  --separator SEP  comma (the default), tab, semicolon, or space (any run of\n"
    "                   blanks and tabs)\n"
    "  --closed         closes the polyline\n"
    "  --labels         writes each point's name at it, a TEXT and a POINT after the\n"
    "                   polyline on the template's current layer; needs name in\n"
    "                   --columns; reads INPUT twice, so it cannot be a pipe\n"
    "  --text-height H  the labels' height (default: the template's $TEXTSIZE, or\n"
    "                   0.2)\n"
    "With any of these, each row is read strictly: every value a number as a whole\n"
    "(blanks around it allowed), every name not blank; a row that does not fit ends\n"
    "the conversion with its line number, and blank lines are skipped. A Japanese\n"
    "survey file headed 点名,X,Y,Z, whose X is the northing:\n"
    "  sorvane-convert --columns name,n,e,z --skip-lines 1 --labels survey.csv\n";

struct BatchCase {
  const char* name;
  std::vector<std::string> args;
  int exitStatus;
  std::string out;  // exactly what is printed on each stream
  std::string err;
  std::vector<std::string> drawings;  // files that exist afterwards
};

// Each case runs in a fresh directory with a template, two point files, a point file
// with a bad row, and a point file whose name looks like an option.
class BatchConverterRun : public ::testing::TestWithParam<BatchCase> {
 protected:
  void SetUp() override {
    WriteFile("PreData.txt", "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n");
    WriteFile("other.txt", "  2\r\nENTITIES\r\n");
    WriteFile("a.csv", "1,2,3\r\n");
    WriteFile("b.old.csv", "4,5,6\r\n");
    WriteFile("bad.csv", "1,2,3\r\n1,2\r\n");
    WriteFile("-a.csv", "7,8,9\r\n");
    fs::create_directory("v1.2");
    WriteFile("v1.2/pts", "1,2,3\r\n");
  }

  ScratchDirectory dir_;
};

TEST_P(BatchConverterRun, PrintsOneLinePerInputAndExits) {
  const BatchCase& c = GetParam();
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(RunBatchConverter(c.args, out, err), c.exitStatus);
  EXPECT_EQ(out.str(), c.out);
  EXPECT_EQ(err.str(), c.err);
  for (const std::string& drawing : c.drawings) {
    EXPECT_TRUE(fs::is_regular_file(drawing)) << drawing;
  }
}

INSTANTIATE_TEST_SUITE_P(
    BatchConverter, BatchConverterRun,
    ::testing::Values(
        BatchCase{"OneInput", {"a.csv"}, 0, "a.csv: 変換しました\n", "", {"a.dxf"}},
        BatchCase{"OutputCutAtFirstDotOfName", {"b.old.csv"}, 0, "b.old.csv: 変換しました\n", "",
                  {"b.dxf"}},
        BatchCase{"DotInDirectoryKeepsOutputThere", {"v1.2/pts"}, 0, "v1.2/pts: 変換しました\n",
                  "", {"v1.2/pts.dxf"}},
        BatchCase{"SeveralInputs", {"a.csv", "b.old.csv"}, 0,
                  "a.csv: 変換しました\nb.old.csv: 変換しました\n", "", {"a.dxf", "b.dxf"}},
        BatchCase{"GivenOutput", {"-o", "drawing.dxf", "a.csv"}, 0, "a.csv: 変換しました\n", "",
                  {"drawing.dxf"}},
        BatchCase{"OptionsAfterInput", {"a.csv", "-t", "other.txt"}, 0, "a.csv: 変換しました\n",
                  "", {"a.dxf"}},
        BatchCase{"InputNamedLikeOptionAfterDoubleDash", {"--", "-a.csv"}, 0,
                  "-a.csv: 変換しました\n", "", {"-a.dxf"}},
        // A failed input does not stop the others, and the status tells of it.
        BatchCase{"FailuresOnErrorStream", {"missing.csv", "a.csv", "bad.csv"}, 1,
                  "a.csv: 変換しました\n",
                  "missing.csv: ファイルが存在しません\n"
                  "bad.csv: 2行目のデータが正しくありません\n",
                  {"a.dxf"}},
        BatchCase{"TemplateMissing", {"-t", "none.txt", "a.csv"}, 1, "",
                  "a.csv: PreData.txtファイルが存在しません\n", {}},
        BatchCase{"OutputIsInput", {"-o", "a.csv", "a.csv"}, 1, "",
                  "a.csv: 出力ファイルが入力ファイルと同じです\n", {}},
        BatchCase{"EmptyOutput", {"-o", "", "a.csv"}, 1, "",
                  "a.csv: 出力ファイル名を入力してください\n", {}},
        BatchCase{"EmptyInput", {""}, 1, "", ": ファイル名を選択してください\n", {}},
        BatchCase{"Help", {"--help"}, 0, kHelp, "", {}},
        BatchCase{"HelpAskedTheWindowsWay", {"/?"}, 0, kHelp, "", {}},
        BatchCase{"Version", {"--version"}, 0,
                  "sorvane-convert " + std::string(kVersionText) + "\n", "", {}}),
    [](const auto& info) { return std::string(info.param.name); });

// --3d may stand anywhere before the inputs' end and flags the polyline as 3D; without
// it the polyline has no flags.
TEST(BatchConverter, ThreeDFlagsThePolyline) {
  ScratchDirectory dir;
  WriteFile("PreData.txt", "  2\r\nENTITIES\r\n");
  WriteFile("a.csv", "1,2,3\r\n");
  WriteFile("b.csv", "1,2,3\r\n");
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(RunBatchConverter(std::vector<std::string>{"a.csv", "--3d"}, out, err), 0);
  EXPECT_EQ(RunBatchConverter(std::vector<std::string>{"b.csv"}, out, err), 0);
  const std::string threeD = testing::ReadFile("a.dxf");
  EXPECT_NE(threeD.find(" 30\r\n0.0\r\n 70\r\n     8\r\n"), std::string::npos) << threeD;
  EXPECT_NE(threeD.find(" 30\r\n 3 \r\n 70\r\n    32\r\n"), std::string::npos) << threeD;
  EXPECT_EQ(testing::ReadFile("b.dxf").find(" 70\r\n"), std::string::npos);
}

// The options of a layout reach the conversion: northing and easting swapped under a
// header, semicolons, the outline closed, the points labelled at the given height.
TEST(BatchConverter, LayoutOptionsReachTheConversion) {
  ScratchDirectory dir;
  WriteFile("PreData.txt", "  2\r\nENTITIES\r\n");
  WriteFile("survey.csv", "点名;X;Y;Z\r\nP1;1;2;3\r\n");
  std::ostringstream out;
  std::ostringstream err;
  const std::vector<std::string> args = {"--columns", "name,n,e,z", "--skip-lines", "1",
                                         "--separator", "semicolon", "--closed", "--labels",
                                         "--text-height", "4", "survey.csv"};
  EXPECT_EQ(RunBatchConverter(args, out, err), kExitAllConverted) << err.str();
  const std::string drawing = testing::ReadFile("survey.dxf");
  EXPECT_NE(drawing.find(" 30\r\n0.0\r\n 70\r\n     1\r\n"), std::string::npos) << drawing;
  EXPECT_NE(drawing.find("VERTEX\r\n  8\r\n0\r\n 10\r\n 2 \r\n 20\r\n 1 \r\n 30\r\n 3 \r\n"),
            std::string::npos) << drawing;
  EXPECT_NE(drawing.find(" 40\r\n 4 \r\n  1\r\nP1\r\n"), std::string::npos) << drawing;
}

// Two inputs that give one drawing: the second would replace what the first wrote, so
// it is refused, however its path is spelled, and the inputs after it go on.
TEST(BatchConverter, InputWhoseDrawingWasWrittenBeforeIsRefused) {
  ScratchDirectory dir;
  WriteFile("PreData.txt", "  2\r\nENTITIES\r\n");
  WriteFile("a.csv", "1,2,3\r\n");
  WriteFile("a.old.csv", "7,8,9\r\n");
  WriteFile("b.csv", "4,5,6\r\n");
  std::ostringstream out;
  std::ostringstream err;
  const std::vector<std::string> args = {"a.csv", "./a.old.csv", "b.csv"};
  EXPECT_EQ(RunBatchConverter(args, out, err), kExitSomeFailed);
  EXPECT_EQ(out.str(), "a.csv: 変換しました\nb.csv: 変換しました\n");
  EXPECT_EQ(err.str(), "./a.old.csv: 出力ファイルが前の入力ファイルの出力と同じです\n");
  const std::string drawing = testing::ReadFile("a.dxf");
  EXPECT_NE(drawing.find(" 10\r\n 1 \r\n"), std::string::npos) << drawing;
  EXPECT_EQ(drawing.find(" 7 "), std::string::npos) << drawing;
}

struct UsageCase {
  const char* name;
  std::vector<std::string> args;
  std::string complaint;  // the line before the usage
};

class BatchConverterUsage : public ::testing::TestWithParam<UsageCase> {
 protected:
  ScratchDirectory dir_;
};

// A usage error converts nothing, even the inputs that were named correctly.
TEST_P(BatchConverterUsage, ExitsWithTwoAndUsageOnErrorStream) {
  WriteFile("PreData.txt", "  2\r\nENTITIES\r\n");
  WriteFile("a.csv", "1,2,3\r\n");
  WriteFile("b.csv", "4,5,6\r\n");
  const auto before = Snapshot(dir_.Path());
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(RunBatchConverter(GetParam().args, out, err), 2);
  EXPECT_EQ(out.str(), "");
  EXPECT_TRUE(err.str().starts_with(GetParam().complaint + "\n" + std::string(kUsageLine)))
      << err.str();
  EXPECT_EQ(Snapshot(dir_.Path()), before);
}

INSTANTIATE_TEST_SUITE_P(
    BatchConverter, BatchConverterUsage,
    ::testing::Values(
        UsageCase{"NoArguments", {}, "sorvane-convert: no INPUT given"},
        UsageCase{"OnlyOptions", {"-t", "PreData.txt"}, "sorvane-convert: no INPUT given"},
        UsageCase{"UnknownOption", {"-x", "a.csv"}, "sorvane-convert: unknown option -x"},
        UsageCase{"UnknownOptionAfterInput", {"a.csv", "--verbose"},
                  "sorvane-convert: unknown option --verbose"},
        UsageCase{"InputNamedLikeOptionWithoutDoubleDash", {"-a.csv"},
                  "sorvane-convert: unknown option -a.csv"},
        UsageCase{"OutputWithSeveralInputs", {"-o", "x.dxf", "a.csv", "b.csv"},
                  "sorvane-convert: -o needs exactly one INPUT"},
        UsageCase{"OutputWithoutValue", {"a.csv", "-o"}, "sorvane-convert: missing value for -o"},
        UsageCase{"TemplateWithoutValue", {"a.csv", "-t"},
                  "sorvane-convert: missing value for -t"},
        UsageCase{"ColumnsWithoutValue", {"a.csv", "--columns"},
                  "sorvane-convert: missing value for --columns"},
        UsageCase{"UnknownColumn", {"--columns", "name,n,e,h", "a.csv"},
                  "sorvane-convert: invalid value for --columns: name,n,e,h"},
        UsageCase{"ColumnNamedTwice", {"--columns", "x,e,y", "a.csv"},
                  "sorvane-convert: invalid value for --columns: x,e,y"},
        UsageCase{"ColumnsWithoutEasting", {"--columns", "name,n,z", "a.csv"},
                  "sorvane-convert: invalid value for --columns: name,n,z"},
        UsageCase{"UnknownSeparator", {"--separator", "pipe", "a.csv"},
                  "sorvane-convert: invalid value for --separator: pipe"},
        UsageCase{"NegativeSkipLines", {"--skip-lines", "-1", "a.csv"},
                  "sorvane-convert: invalid value for --skip-lines: -1"},
        UsageCase{"SkipLinesNotANumber", {"--skip-lines", "1x", "a.csv"},
                  "sorvane-convert: invalid value for --skip-lines: 1x"},
        UsageCase{"TextHeightZero", {"--labels", "--text-height", "0", "a.csv"},
                  "sorvane-convert: invalid value for --text-height: 0"},
        UsageCase{"TextHeightWithoutLabels", {"--text-height", "2", "a.csv"},
                  "sorvane-convert: --text-height needs --labels"},
        UsageCase{"LabelsWithoutNames", {"--labels", "--columns", "x,y,z", "a.csv"},
                  "sorvane-convert: --labels needs a name in --columns"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sorvane

#include "batch/batch_converter.h"

#include "tests/support/case_names.h"
#include "tests/support/scratch_directory.h"
#include "version/sorvane_version.h"

#include <gtest/gtest.h>

#include <ostream>

#include <filesystem>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace sorvane {
namespace {

namespace fs = std::filesystem;
using testing::ScratchDirectory;
using testing::Snapshot;
using testing::WriteFile;

constexpr std::string_view kUsageLine = "Usage: sorvane-convert [OPTION]... INPUT...\n";

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
    WriteFile("other.txt", "999\r\nother\r\n  0\r\nSECTION\r\n  2\r\nENTITIES\r\n");
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
        BatchCase{"OutputIsInput", {"-o", "a.csv", "a.csv"}, 1, "",
                  "a.csv: 出力ファイルが入力ファイルと同じです\n", {}},
        BatchCase{"EmptyOutput", {"-o", "", "a.csv"}, 1, "",
                  "a.csv: 出力ファイル名を入力してください\n", {}},
        BatchCase{"EmptyInput", {""}, 1, "", ": ファイル名を選択してください\n", {}},
        BatchCase{"Version", {"--version"}, 0,
                  "sorvane-convert " + std::string(kVersionText) + "\n", "", {}}),
    [](const auto& info) { return std::string(info.param.name); });

struct TemplateCase {
  const char* name;
  std::vector<std::string> args;
  std::vector<std::string> templates;  // of "given.txt", "PreData.txt", "installed"
  int exitStatus;
  std::string err;
  std::string headUsed;  // which template's head the drawing a.dxf has; empty for none
};

// Which template a conversion takes: -t, else PreData.txt in the current folder, else
// the one installed with the program. Each template's head names it in a comment.
class BatchConverterTemplate : public ::testing::TestWithParam<TemplateCase> {
 protected:
  void SetUp() override {
    fs::create_directory("installed");
    WriteFile("a.csv", "1,2,3\r\n");
  }
  static void WriteTemplate(const std::string& path, const std::string& head) {
    WriteFile(path, "999\r\n" + head + "\r\n  0\r\nSECTION\r\n  2\r\nENTITIES\r\n");
  }

  ScratchDirectory dir_;
};

TEST_P(BatchConverterTemplate, TakesTheFirstThatExists) {
  const TemplateCase& c = GetParam();
  const std::string installed = dir_ / "installed/PreData.txt";
  for (const std::string& which : c.templates) {
    WriteTemplate(which == "installed" ? installed : which, which);
  }
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(RunBatchConverter(c.args, out, err, installed), c.exitStatus);
  EXPECT_EQ(err.str(), c.err);
  if (c.headUsed.empty()) {
    EXPECT_FALSE(fs::exists("a.dxf"));
  } else {
    EXPECT_TRUE(testing::ReadFile("a.dxf").starts_with("999\r\n" + c.headUsed + "\r\n"));
  }
}

INSTANTIATE_TEST_SUITE_P(
    BatchConverter, BatchConverterTemplate,
    ::testing::Values(
        TemplateCase{"GivenBeforeAll", {"-t", "given.txt", "a.csv"},
                     {"given.txt", "PreData.txt", "installed"}, 0, "", "given.txt"},
        TemplateCase{"CurrentFolderBeforeInstalled", {"a.csv"}, {"PreData.txt", "installed"}, 0,
                     "", "PreData.txt"},
        TemplateCase{"InstalledWhenCurrentFolderHasNone", {"a.csv"}, {"installed"}, 0, "",
                     "installed"},
        TemplateCase{"NoneToldAsTheWindowTellsIt", {"a.csv"}, {}, 1,
                     "a.csv: PreData.txtファイルが存在しません\n", ""},
        // Named by its own path, once: the inputs after it would fail alike.
        TemplateCase{"GivenMissingToldByItsName", {"-t", "nothere.txt", "a.csv", "b.csv"},
                     {"PreData.txt", "installed"}, 1,
                     "nothere.txt: テンプレートファイルが存在しません\n", ""}),
    [](const auto& info) { return std::string(info.param.name); });

// The help names every option and says what the defaults are; "/?" is how Windows
// programs are asked for it. Each option's text runs to the next option's line.
TEST(BatchConverter, HelpNamesEachOptionAndItsDefault) {
  const std::vector<std::pair<std::string, std::vector<std::string>>> options = {
      {"-t TEMPLATE", {"PreData.txt in the current directory", "installed with the program"}},
      {"-o OUTPUT", {"first dot", "a.old.csv gives a.dxf"}},
      {"--3d", {}},
      {"--", {}},
      {"--help, /?", {}},
      {"--version", {}},
      {"--columns LIST", {"x, y, z", "n and e", "northing", "Y", "easting", "X", "name", "-",
                          "default: x,y,z"}},
      {"--skip-lines N", {}},
      {"--separator SEP", {"comma (the default)", "tab", "semicolon", "space"}},
      {"--closed", {}},
      {"--labels", {"TEXT and a POINT", "current layer", "needs name in --columns"}},
      {"--text-height H", {"default: the template's $TEXTSIZE, or 0.2",
                           "--columns name,n,e,z --skip-lines 1"}}};
  for (const char* ask : {"--help", "/?"}) {
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(RunBatchConverter(std::vector<std::string>{ask}, out, err), kExitAllConverted);
    const std::string help = out.str();
    EXPECT_TRUE(help.starts_with(kUsageLine)) << help;
    for (const auto& [option, facts] : options) {
      const std::size_t start = help.find("\n  " + option + " ");
      ASSERT_NE(start, std::string::npos) << option << " missing from:\n" << help;
      // Facts may be wrapped across lines: the text with each run of spaces as one.
      std::string text;
      for (char c : help.substr(start, help.find("\n  -", start + 1) - start)) {
        if (c == '\n') c = ' ';
        if (c != ' ' || !text.ends_with(' ')) text += c;
      }
      std::size_t after = 0;
      for (const std::string& fact : facts) {
        after = text.find(fact, after);
        EXPECT_NE(after, std::string::npos) << option << " does not say, in order: " << fact;
      }
    }
  }
}

// --3d may stand anywhere before the inputs' end and flags the polyline as 3D; without
// it the polyline has no flags.
TEST(BatchConverter, ThreeDFlagsThePolyline) {
  ScratchDirectory dir;
  WriteFile("PreData.txt", "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n");
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
  WriteFile("PreData.txt", "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n");
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
  WriteFile("PreData.txt", "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n");
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
  WriteFile("PreData.txt", "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n");
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

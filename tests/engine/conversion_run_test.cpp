#include "tests/engine/conversion_run_fixture.h"

#include <fstream>
#include <string_view>

namespace sorvane {
namespace {

TEST_F(ConversionRunTest, ConvertsAndSaysSoOnce) {
  const int openFiles = testing::OpenHandleCount();
  EXPECT_EQ(Run("points.csv", "out.dxf"), ConversionResult{ConvertOutcome::Converted});
  EXPECT_EQ(sink_.messages, std::vector<std::string>{"変換しました"});
  EXPECT_EQ(sink_.openFilesAtMessage, std::vector<int>{openFiles});
  const std::string drawing = ReadFile("out.dxf");
  EXPECT_TRUE(drawing.starts_with(kTemplate));
  EXPECT_TRUE(drawing.ends_with("  0\r\nEOF\r\n"));
  EXPECT_EQ(VertexCount(drawing), 2u);
  EXPECT_TRUE(TemporaryFilesBelow(dir_.Path()).empty());
}

TEST_F(ConversionRunTest, RunningTwiceOverwritesTheOutput) {
  ASSERT_EQ(Run("points.csv", "out.dxf").outcome, ConvertOutcome::Converted);
  const std::string first = ReadFile("out.dxf");
  ASSERT_EQ(Run("points.csv", "out.dxf").outcome, ConvertOutcome::Converted);
  EXPECT_EQ(ReadFile("out.dxf"), first);

  WriteFile("points.csv", "7,8,9\r\n");
  ASSERT_EQ(Run("points.csv", "out.dxf").outcome, ConvertOutcome::Converted);
  EXPECT_EQ(VertexCount(ReadFile("out.dxf")), 1u);
  EXPECT_EQ(sink_.messages.size(), 3u);
  EXPECT_TRUE(TemporaryFilesBelow(dir_.Path()).empty());
}

TEST_F(ConversionRunTest, FindsTheTemplateThroughTheCurrentDirectory) {
  const std::string points = dir_ / "points.csv";
  const std::string out = dir_ / "new.dxf";
  EXPECT_EQ(RunConversion(points, out, sink_).outcome, ConvertOutcome::Converted);
  fs::remove(out);

  fs::create_directory("elsewhere");
  fs::current_path("elsewhere");
  EXPECT_EQ(RunConversion(points, out, sink_).outcome, ConvertOutcome::TemplateMissing);
  EXPECT_FALSE(fs::exists(out));

  const std::string elsewhere = "999\r\nelsewhere\r\n" + std::string(kTemplate);
  WriteFile(kTemplateName, elsewhere);
  EXPECT_EQ(RunConversion(points, out, sink_).outcome, ConvertOutcome::Converted);
  EXPECT_TRUE(ReadFile(out).starts_with(elsewhere + "  0\r\nPOINT\r\n"));
  EXPECT_EQ(sink_.messages, (std::vector<std::string>{"変換しました",
                                                      "PreData.txtファイルが存在しません",
                                                      "変換しました"}));
}

// A run that fails says so once and changes nothing: no output appears, an earlier
// output stays byte for byte, and no temporary file is left anywhere.
TEST_P(ConversionRunFailure, ReportsAndChangesNothing) {
  const FailureCase& c = GetParam();
  if (c.arrange) c.arrange();
  const auto before = Snapshot(dir_.Path());
  const int openFiles = testing::OpenHandleCount();

  EXPECT_EQ(Run(Expand(c.in, dir_.Path()), Expand(c.out, dir_.Path()),
                Expand(c.templatePath, dir_.Path())),
            c.result);
  EXPECT_EQ(sink_.messages, std::vector<std::string>{c.message});
  EXPECT_EQ(sink_.openFilesAtMessage, std::vector<int>{openFiles});
  EXPECT_EQ(Snapshot(dir_.Path()), before);
  EXPECT_EQ(ReadFile("out.dxf"), kOldDrawing);
  EXPECT_EQ(TemporaryFilesBelow(dir_.Path()), std::vector<std::string>{});
}

std::string ManyRowsThenBadRow(int rows) {
  std::string text;
  for (int row = 0; row < rows; ++row) text += "-45840.4215,-9571.4544,156.995\r\n";
  return text + "1,2\r\n";
}

// A head that claims R2000 but is cut after ENTITIES as an R12 one may be: its objects
// and its block records are missing.
void WriteR2000HeadOnly() {
  WriteFile("r2000.txt",
            "  0\r\nSECTION\r\n  2\r\nHEADER\r\n  9\r\n$ACADVER\r\n  1\r\nAC1015\r\n"
            "  9\r\n$HANDSEED\r\n  5\r\n2A\r\n  0\r\nENDSEC\r\n"
            "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n");
}

// An R12 head as a binary DXF writes it, and as UTF-16 text: the R12 way, either
// would be copied whole into a drawing no reader opens.
void WriteBinaryTemplate() {
  using namespace std::string_view_literals;
  WriteFile("binary.txt", "AutoCAD Binary DXF\r\n\x1A\0\0\0SECTION\0\x02\0ENTITIES\0"sv);
}

void WriteUtf16Template() {
  std::string text = "\xFF\xFE";
  for (const char c : kTemplate) text.append({c, '\0'});
  WriteFile("utf16.txt", text);
}

// More of a template than a drawing head can be, all of it held while its version is
// not yet known: the cap on what is read of a template holds here too, though this one
// never claims a version.
void WriteTemplateBeyondTheCapBeforeItsVersion() {
  std::ofstream text("undecided.txt", std::ios::binary);
  text << "  0\r\nSECTION\r\n  2\r\nHEADER\r\n  9\r\n$HANDSEED\r\n  5\r\n2A\r\n";
  std::string comments;
  while (comments.size() < std::size_t{1} << 20) comments += "999\r\n" + std::string(1000, 'c') + "\r\n";
  for (int mebibyte = 0; mebibyte <= 64; ++mebibyte) text << comments;
  text << "  0\r\nENDSEC\r\n" << kTemplate;
}

INSTANTIATE_TEST_SUITE_P(
    ConversionRun, ConversionRunFailure,
    ::testing::Values(
        FailureCase{"NoFileSelected", {}, "", "out.dxf", kTemplateName, kNoFile, kNoFileText},
        FailureCase{"NoFileSelectedCreatesNothing", {}, "", "new.dxf", kTemplateName, kNoFile,
                    kNoFileText},
        FailureCase{"InputMissing", {}, "missing.csv", "out.dxf", kTemplateName, kInputMissing,
                    kInputMissingText},
        FailureCase{"InputMissingComesBeforeTemplate", {}, "missing.csv", "new.dxf",
                    "missing.txt", kInputMissing, kInputMissingText},
        FailureCase{"InputIsDirectory", [] { MakeDirectory("folder.csv"); }, "folder.csv",
                    "out.dxf", kTemplateName, kInputMissing, kInputMissingText},
        FailureCase{"TemplateMissing", {}, "points.csv", "new.dxf", "missing.txt",
                    kTemplateMissing, kTemplateMissingText},
        FailureCase{"TemplateMissingLeavesOutput", {}, "points.csv", "out.dxf", "missing.txt",
                    kTemplateMissing, kTemplateMissingText},
        FailureCase{"TemplateIsDirectory", [] { MakeDirectory("templates"); }, "points.csv",
                    "new.dxf", "templates", kTemplateMissing, kTemplateMissingText},
        FailureCase{"TemplateMissingComesBeforeOutputName", {}, "points.csv", "",
                    "missing.txt", kTemplateMissing, kTemplateMissingText},
        FailureCase{"TemplateCannotBeMadeConforming", WriteR2000HeadOnly, "points.csv",
                    "out.dxf", "r2000.txt", kTemplateInvalid, kTemplateInvalidText},
        FailureCase{"TemplateCannotBeMadeConformingCreatesNothing", WriteR2000HeadOnly,
                    "points.csv", "new.dxf", "r2000.txt", kTemplateInvalid,
                    kTemplateInvalidText},
        FailureCase{"BinaryTemplate", WriteBinaryTemplate, "points.csv", "out.dxf", "binary.txt",
                    kTemplateInvalid, kTemplateInvalidText},
        FailureCase{"Utf16Template", WriteUtf16Template, "points.csv", "out.dxf", "utf16.txt",
                    kTemplateInvalid, kTemplateInvalidText},
        // No ENTITIES section begins in it: no reader would take the drawing for one.
        FailureCase{"EmptyTemplateCreatesNothing", [] { WriteFile("empty.txt", ""); },
                    "points.csv", "new.dxf", "empty.txt", kTemplateInvalid, kTemplateInvalidText},
        FailureCase{"TemplateWithoutEntitiesSection",
                    [] { WriteFile("header.txt", "  0\r\nSECTION\r\n  2\r\nHEADER\r\n  0\r\nENDSEC\r\n"); },
                    "points.csv", "out.dxf", "header.txt", kTemplateInvalid, kTemplateInvalidText},
        FailureCase{"TemplateBeyondTheCapBeforeItsVersion",
                    WriteTemplateBeyondTheCapBeforeItsVersion, "points.csv", "out.dxf",
                    "undecided.txt", {ConvertOutcome::TemplateReadFailed},
                    "PreData.txtファイルを読み込めません"},
        FailureCase{"BadRow", [] { WriteFile("bad.csv", "1,2,3\r\n\r\nX,Y,Z\r\n"); },
                    "bad.csv", "out.dxf", kTemplateName, {ConvertOutcome::BadRow, 3},
                    "3行目のデータが正しくありません"},
        FailureCase{"BadRowCreatesNothing", [] { WriteFile("bad.csv", "1,2\r\n"); }, "bad.csv",
                    "new.dxf", kTemplateName, {ConvertOutcome::BadRow, 1},
                    "1行目のデータが正しくありません"},
        // Far enough in that part of the drawing was already written out.
        FailureCase{"BadRowAfterManyRows",
                    [] { WriteFile("bad.csv", ManyRowsThenBadRow(200000)); }, "bad.csv",
                    "out.dxf", kTemplateName, {ConvertOutcome::BadRow, 200001},
                    "200001行目のデータが正しくありません"},
        FailureCase{"OutputNameEmpty", {}, "points.csv", "", kTemplateName, kNameEmpty,
                    kNameEmptyText},
        FailureCase{"OutputIsInput", {}, "points.csv", "points.csv", kTemplateName, kSame,
                    kSameText},
        FailureCase{"OutputIsInputSpelledRelative", [] { MakeDirectory("sub"); },
                    "{dir}/points.csv", "sub/../points.csv", kTemplateName, kSame, kSameText},
        FailureCase{"OutputIsInputSpelledAbsolute", {}, "points.csv", "{dir}/./points.csv",
                    kTemplateName, kSame, kSameText},
        FailureCase{"OutputIsHardLinkToInput",
                    [] { fs::create_hard_link("points.csv", "points.dxf"); }, "points.csv",
                    "points.dxf", kTemplateName, kSame, kSameText},
        FailureCase{"OutputIsTemplate", {}, "points.csv", kTemplateName, kTemplateName, kSame,
                    kSameText},
        FailureCase{"OutputIsHardLinkToTemplate",
                    [] { fs::create_hard_link(kTemplateName, "head.dxf"); }, "points.csv",
                    "head.dxf", kTemplateName, kSame, kSameText},
        FailureCase{"OutputDirectoryMissing", {}, "points.csv", "nowhere/out.dxf",
                    kTemplateName, kCannotCreate, kCannotCreateText},
        FailureCase{"OutputUnderAFile", {}, "points.csv", "out.dxf/new.dxf", kTemplateName,
                    kCannotCreate, kCannotCreateText},
        FailureCase{"OutputIsDirectory", [] { MakeDirectory("drawings"); }, "points.csv",
                    "drawings", kTemplateName, kCannotCreate, kCannotCreateText},
        FailureCase{"OutputIsDirectoryWithSlash", [] { MakeDirectory("drawings"); },
                    "points.csv", "drawings/", kTemplateName, kCannotCreate, kCannotCreateText},
        FailureCase{"OutputNamesMissingDirectoryWithSlash", {}, "points.csv", "drawings/",
                    kTemplateName, kCannotCreate, kCannotCreateText}),
    [](const auto& info) { return std::string(info.param.name); });

struct MessageCase {
  const char* name;
  ConversionResult result;
  const char* message;
};

class OutcomeMessageText : public ::testing::TestWithParam<MessageCase> {};

TEST_P(OutcomeMessageText, IsTheUsersText) {
  EXPECT_EQ(OutcomeMessage(GetParam().result), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    ConversionRun, OutcomeMessageText,
    ::testing::Values(MessageCase{"Converted", {ConvertOutcome::Converted}, "変換しました"},
                      MessageCase{"NoFileSelected", kNoFile, kNoFileText},
                      MessageCase{"InputMissing", kInputMissing, kInputMissingText},
                      MessageCase{"TemplateMissing", kTemplateMissing, kTemplateMissingText},
                      MessageCase{"BadFirstRow", {ConvertOutcome::BadRow, 1},
                                  "1行目のデータが正しくありません"},
                      MessageCase{"BadRowBeyond32Bits", {ConvertOutcome::BadRow, 4294967297},
                                  "4294967297行目のデータが正しくありません"},
                      MessageCase{"OutputNameEmpty", kNameEmpty, kNameEmptyText},
                      MessageCase{"OutputSameAsInput", kSame, kSameText},
                      MessageCase{"OutputCannotCreate", kCannotCreate, kCannotCreateText},
                      MessageCase{"TemplateInvalid", kTemplateInvalid, kTemplateInvalidText}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sorvane

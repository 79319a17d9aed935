// The rules of the output path as Windows users meet them: one file has many spellings
// (letter case, "/" or "\", short names), files can be read-only or held open by
// another program, names are often Japanese, and a file opened in text mode would
// double every CR.

#include "tests/engine/conversion_run_fixture.h"

#include "batch/batch_converter.h"
#include "runtime/utf8_path.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <fstream>
#include <sstream>

namespace sorvane {
namespace {

INSTANTIATE_TEST_SUITE_P(
    Windows, ConversionRunFailure,
    ::testing::Values(
        FailureCase{"OutputIsInputInOtherCase", {}, "points.csv", "POINTS.CSV", kTemplateName,
                    kSame, kSameText},
        FailureCase{"OutputIsTemplateInOtherCase", {}, "points.csv", ".\\predata.TXT",
                    kTemplateName, kSame, kSameText},
        FailureCase{"OutputIsInputWithBackslashes", {}, "points.csv", "{dir}\\points.csv",
                    kTemplateName, kSame, kSameText},
        FailureCase{"OutputIsInputSpelledRelativeWithBackslashes", [] { MakeDirectory("sub"); },
                    "{dir}/points.csv", "sub\\..\\Points.csv", kTemplateName, kSame, kSameText},
        FailureCase{"OutputIsDevice", {}, "points.csv", "NUL", kTemplateName, kCannotCreate,
                    kCannotCreateText},
        // A device name is never a file, whether the device is there or not.
        FailureCase{"OutputIsAbsentDevice", {}, "points.csv", "COM9", kTemplateName,
                    kCannotCreate, kCannotCreateText},
        FailureCase{"InputIsDevice", {}, "NUL", "out.dxf", kTemplateName, kInputMissing,
                    kInputMissingText},
        FailureCase{"InputIsDeviceNameWithExtension", {}, "aux.csv", "aux.dxf", kTemplateName,
                    kInputMissing, kInputMissingText},
        FailureCase{"TemplateIsDevice", {}, "points.csv", "out.dxf", "NUL", kTemplateMissing,
                    kTemplateMissingText},
        FailureCase{"ReadOnlyOutput",
                    [] {
                      fs::permissions("out.dxf", fs::perms::owner_write | fs::perms::group_write |
                                                     fs::perms::others_write,
                                      fs::perm_options::remove);
                    },
                    "points.csv", "out.dxf", kTemplateName, kCannotCreate, kCannotCreateText}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ConversionRunTest, OutputIsInputThroughItsShortName) {
  WriteFile("survey points of the north field.csv", kPoints);
  std::wstring shortName(MAX_PATH, L'\0');
  const DWORD length = ::GetShortPathNameW(L"survey points of the north field.csv",
                                           shortName.data(), MAX_PATH);
  shortName.resize(length);
  if (length == 0 || shortName == L"survey points of the north field.csv") {
    GTEST_SKIP() << "this volume keeps no short names";
  }
  EXPECT_EQ(Run("survey points of the north field.csv", Utf8FromPath(fs::path(shortName))), kSame);
}

// Another program (a CAD with the drawing open) holds the old output without sharing it.
TEST_F(ConversionRunTest, OutputHeldOpenByAnotherProgramIsLeftAsItWas) {
  const HANDLE held = ::CreateFileW(L"out.dxf", GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  const ConversionResult result = Run("points.csv", "out.dxf");
  ::CloseHandle(held);
  EXPECT_EQ(result, kCannotCreate);
  EXPECT_EQ(sink_.messages, std::vector<std::string>{kCannotCreateText});
  EXPECT_EQ(ReadFile("out.dxf"), kOldDrawing);
  EXPECT_EQ(TemporaryFilesBelow(dir_.Path()), std::vector<std::string>{});
}

// A user hides a drawing or marks it as a system file; a new drawing in its place
// stays so, and is marked for the next backup.
TEST_F(ConversionRunTest, ReplacedOutputKeepsWhatTheUserMarkedItWith) {
  ASSERT_TRUE(::SetFileAttributesW(L"out.dxf", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
  ASSERT_EQ(Run("points.csv", "out.dxf"), ConversionResult{ConvertOutcome::Converted});
  EXPECT_EQ(::GetFileAttributesW(L"out.dxf"),
            DWORD{FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE});
  EXPECT_EQ(VertexCount(ReadFile("out.dxf")), 2u);
}

TEST_F(ConversionRunTest, WritesEachLineEndOnce) {
  ASSERT_EQ(Run("points.csv", "out.dxf").outcome, ConvertOutcome::Converted);
  const std::string drawing = ReadFile("out.dxf");
  EXPECT_EQ(drawing.find('\r' + std::string("\r")), std::string::npos);
  EXPECT_TRUE(drawing.starts_with(std::string(kTemplate) + "  0\r\nPOINT\r\n  8\r\n0\r\n"));
  EXPECT_TRUE(drawing.ends_with(" 10\r\n 4 \r\n 20\r\n 5 \r\n 30\r\n 6 \r\n  0\r\nSEQEND\r\n"
                                "  8\r\n0\r\n  0\r\nENDSEC\r\n  0\r\nEOF\r\n"));
}

TEST_F(ConversionRunTest, JapaneseNameGetsTheDrawingOfItsOwnName) {
  const fs::path points(u8"測点（北）.csv");
  std::ofstream(points, std::ios::binary) << kPoints;
  const std::vector<std::string> args = {Utf8FromPath(points)};
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(RunBatchConverter(args, out, err), kExitAllConverted);
  EXPECT_EQ(out.str(), Utf8FromPath(points) + ": 変換しました\n");
  EXPECT_EQ(VertexCount(ReadFile(Utf8FromPath(fs::path(u8"測点（北）.dxf")))), 2u);
  EXPECT_TRUE(fs::is_regular_file(fs::path(u8"測点（北）.dxf")));
}

}  // namespace
}  // namespace sorvane

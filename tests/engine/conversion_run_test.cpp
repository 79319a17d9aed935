#include "conversion_run.h"

#include "case_names.h"
#include "scratch_directory.h"

#include <gtest/gtest.h>

#include <ostream>

#include <filesystem>
#include <functional>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace sorvane {

void PrintTo(const ConversionResult& result, std::ostream* os) {
  *os << OutcomeMessage(result);
}

namespace {

namespace fs = std::filesystem;
using testing::ReadFile;
using testing::RecordingSink;
using testing::ScratchDirectory;
using testing::Snapshot;
using testing::TemporaryFilesBelow;
using testing::WriteFile;

constexpr std::string_view kTemplate = "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n";
constexpr std::string_view kPoints = "1,2,3\r\n4,5,6\r\n";
constexpr std::string_view kOldDrawing = "an earlier drawing\r\n";

std::size_t OpenFileCount() {
  return static_cast<std::size_t>(std::distance(fs::directory_iterator("/proc/self/fd"),
                                                fs::directory_iterator()));
}

// Notes, when the user is told, how many files the process has open: by then the run
// must have closed everything it opened.
class ClosingCheckSink : public RecordingSink {
 public:
  void ShowMessage(std::string_view message) override {
    openFilesAtMessage.push_back(OpenFileCount());
    RecordingSink::ShowMessage(message);
  }
  std::vector<std::size_t> openFilesAtMessage;
};

// Every run works in a fresh directory that holds a point file, the template and an
// earlier output, and names them relative to it.
class ConversionRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteFile("points.csv", kPoints);
    WriteFile(kTemplateName, kTemplate);
    WriteFile("out.dxf", kOldDrawing);
  }

  ConversionResult Run(const std::string& in, const std::string& out,
                       const std::string& templatePath = kTemplateName) {
    return RunConversion(in, out, sink_, templatePath);
  }

  static std::size_t VertexCount(const std::string& drawing) {
    std::size_t count = 0;
    for (auto at = drawing.find("VERTEX\r\n"); at != std::string::npos;
         at = drawing.find("VERTEX\r\n", at + 1)) {
      ++count;
    }
    return count;
  }

  ScratchDirectory dir_;
  ClosingCheckSink sink_;
};

TEST_F(ConversionRunTest, ConvertsAndSaysSoOnce) {
  const std::size_t openFiles = OpenFileCount();
  EXPECT_EQ(Run("points.csv", "out.dxf"), ConversionResult{ConvertOutcome::Converted});
  EXPECT_EQ(sink_.messages, std::vector<std::string>{"変換しました"});
  EXPECT_EQ(sink_.openFilesAtMessage, std::vector<std::size_t>{openFiles});
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

  WriteFile(kTemplateName, "  2\r\nENTITIES\r\n");
  EXPECT_EQ(RunConversion(points, out, sink_).outcome, ConvertOutcome::Converted);
  EXPECT_TRUE(ReadFile(out).starts_with("  2\r\nENTITIES\r\n  0\r\nPOINT\r\n"));
  EXPECT_EQ(sink_.messages, (std::vector<std::string>{"変換しました",
                                                      "PreData.txtファイルが存在しません",
                                                      "変換しました"}));
}

TEST_F(ConversionRunTest, OutputSymlinkKeepsTheLinkAndReplacesItsTarget) {
  fs::create_directory("drawings");
  WriteFile("drawings/target.dxf", kOldDrawing);
  fs::create_symlink("drawings/target.dxf", "link.dxf");
  fs::create_symlink("drawings/new.dxf", "dangling.dxf");

  for (const char* out : {"link.dxf", "dangling.dxf"}) {
    SCOPED_TRACE(out);
    ASSERT_EQ(Run("points.csv", out).outcome, ConvertOutcome::Converted);
    EXPECT_TRUE(fs::is_symlink(out));
    EXPECT_EQ(VertexCount(ReadFile(out)), 2u);
  }
  EXPECT_EQ(fs::read_symlink("link.dxf"), "drawings/target.dxf");
  EXPECT_EQ(fs::read_symlink("dangling.dxf"), "drawings/new.dxf");
  EXPECT_TRUE(fs::is_regular_file(fs::symlink_status("drawings/new.dxf")));
  EXPECT_TRUE(TemporaryFilesBelow(dir_.Path()).empty());
}

// Restores the process's umask after a test that sets its own.
class UmaskGuard {
 public:
  explicit UmaskGuard(mode_t mask) : previous_(::umask(mask)) {}
  ~UmaskGuard() { ::umask(previous_); }
  UmaskGuard(const UmaskGuard&) = delete;
  UmaskGuard& operator=(const UmaskGuard&) = delete;

 private:
  mode_t previous_;
};

mode_t ModeOf(const std::string& path) {
  struct stat status {};
  EXPECT_EQ(::stat(path.c_str(), &status), 0);
  return status.st_mode & 07777;
}

TEST_F(ConversionRunTest, NewOutputGetsThePermissionsTheUmaskGives) {
  for (const mode_t mask : {mode_t{022}, mode_t{077}, mode_t{002}, mode_t{027}}) {
    SCOPED_TRACE(mask);
    UmaskGuard guard(mask);
    fs::remove("new.dxf");
    ASSERT_EQ(Run("points.csv", "new.dxf").outcome, ConvertOutcome::Converted);
    EXPECT_EQ(ModeOf("new.dxf"), 0666 & ~mask);
  }
}

TEST_F(ConversionRunTest, ReplacedOutputKeepsItsPermissions) {
  UmaskGuard guard(022);
  for (const mode_t mode : {mode_t{0600}, mode_t{0640}, mode_t{0664}, mode_t{0755}}) {
    SCOPED_TRACE(mode);
    WriteFile("out.dxf", kOldDrawing);
    ASSERT_EQ(::chmod("out.dxf", mode), 0);
    ASSERT_EQ(Run("points.csv", "out.dxf").outcome, ConvertOutcome::Converted);
    EXPECT_EQ(ModeOf("out.dxf"), mode);
    EXPECT_NE(ReadFile("out.dxf"), kOldDrawing);
  }
}

struct FailureCase {
  const char* name;
  std::function<void()> arrange;  // extra files, made in the run's directory
  std::string in;                 // "{dir}" stands for the run's directory
  std::string out;
  std::string templatePath;
  ConversionResult result;
  std::string message;
};

std::string Expand(std::string path, const std::string& dir) {
  if (const auto at = path.find("{dir}"); at != std::string::npos) path.replace(at, 5, dir);
  return path;
}

class ConversionRunFailure : public ConversionRunTest,
                             public ::testing::WithParamInterface<FailureCase> {};

// A run that fails says so once and changes nothing: no output appears, an earlier
// output stays byte for byte, and no temporary file is left anywhere.
TEST_P(ConversionRunFailure, ReportsAndChangesNothing) {
  const FailureCase& c = GetParam();
  if (c.arrange) c.arrange();
  const auto before = Snapshot(dir_.Path());
  const std::size_t openFiles = OpenFileCount();

  EXPECT_EQ(Run(Expand(c.in, dir_.Path()), Expand(c.out, dir_.Path()),
                Expand(c.templatePath, dir_.Path())),
            c.result);
  EXPECT_EQ(sink_.messages, std::vector<std::string>{c.message});
  EXPECT_EQ(sink_.openFilesAtMessage, std::vector<std::size_t>{openFiles});
  EXPECT_EQ(Snapshot(dir_.Path()), before);
  EXPECT_EQ(ReadFile("out.dxf"), kOldDrawing);
  EXPECT_EQ(TemporaryFilesBelow(dir_.Path()), std::vector<std::string>{});
}

void MakeDirectory(const char* name) { fs::create_directory(name); }

std::string ManyRowsThenBadRow(int rows) {
  std::string text;
  for (int row = 0; row < rows; ++row) text += "-45840.4215,-9571.4544,156.995\r\n";
  return text + "1,2\r\n";
}

constexpr ConversionResult kNoFile{ConvertOutcome::NoFileSelected};
constexpr ConversionResult kInputMissing{ConvertOutcome::InputMissing};
constexpr ConversionResult kTemplateMissing{ConvertOutcome::TemplateMissing};
constexpr ConversionResult kNameEmpty{ConvertOutcome::OutputNameEmpty};
constexpr ConversionResult kSame{ConvertOutcome::OutputSameAsInput};
constexpr ConversionResult kCannotCreate{ConvertOutcome::OutputCannotCreate};
constexpr ConversionResult kTemplateInvalid{ConvertOutcome::TemplateInvalid};

const char* const kNoFileText = "ファイル名を選択してください";
const char* const kInputMissingText = "ファイルが存在しません";
const char* const kTemplateMissingText = "PreData.txtファイルが存在しません";
const char* const kNameEmptyText = "出力ファイル名を入力してください";
const char* const kSameText = "出力ファイルが入力ファイルと同じです";
const char* const kCannotCreateText = "出力ファイルを作成できません";
const char* const kTemplateInvalidText = "PreData.txtファイルの形式が正しくありません";

// A head that claims R2000 but is cut after ENTITIES as an R12 one may be: its objects
// and its block records are missing.
void WriteR2000HeadOnly() {
  WriteFile("r2000.txt",
            "  0\r\nSECTION\r\n  2\r\nHEADER\r\n  9\r\n$ACADVER\r\n  1\r\nAC1015\r\n"
            "  9\r\n$HANDSEED\r\n  5\r\n2A\r\n  0\r\nENDSEC\r\n"
            "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n");
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
        FailureCase{"OutputIsSymlinkToInput",
                    [] { fs::create_symlink("points.csv", "points.dxf"); }, "points.csv",
                    "points.dxf", kTemplateName, kSame, kSameText},
        FailureCase{"OutputIsHardLinkToInput",
                    [] { fs::create_hard_link("points.csv", "points.dxf"); }, "points.csv",
                    "points.dxf", kTemplateName, kSame, kSameText},
        FailureCase{"OutputIsTemplate", {}, "points.csv", kTemplateName, kTemplateName, kSame,
                    kSameText},
        FailureCase{"OutputIsSymlinkToTemplate",
                    [] { fs::create_symlink(kTemplateName, "head.dxf"); }, "points.csv",
                    "head.dxf", kTemplateName, kSame, kSameText},
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
                    kTemplateName, kCannotCreate, kCannotCreateText},
        FailureCase{"OutputIsSymlinkToDirectory",
                    [] {
                      MakeDirectory("drawings");
                      fs::create_directory_symlink("drawings", "drawings.dxf");
                    },
                    "points.csv", "drawings.dxf", kTemplateName, kCannotCreate,
                    kCannotCreateText},
        FailureCase{"OutputIsSymlinkLoop",
                    [] {
                      fs::create_symlink("loop-b.dxf", "loop-a.dxf");
                      fs::create_symlink("loop-a.dxf", "loop-b.dxf");
                    },
                    "points.csv", "loop-a.dxf", kTemplateName, kCannotCreate,
                    kCannotCreateText},
        FailureCase{"OutputIsDevice", {}, "points.csv", "/dev/null", kTemplateName,
                    kCannotCreate, kCannotCreateText}),
    [](const auto& info) { return std::string(info.param.name); });

struct PermissionCase {
  const char* name;
  const char* out;
  const char* path;  // what loses its write permission
  bool isDirectory;
};

class ConversionRunWithoutPermission : public ConversionRunTest,
                                       public ::testing::WithParamInterface<PermissionCase> {};

// The superuser writes whatever the permissions say, so there is nothing to see then.
TEST_P(ConversionRunWithoutPermission, CannotCreateAndChangesNothing) {
  if (::geteuid() == 0) GTEST_SKIP() << "permissions do not stop the superuser";
  const PermissionCase& c = GetParam();
  if (c.isDirectory) {
    fs::create_directory(c.path);
    WriteFile(std::string(c.path) + "/out.dxf", kOldDrawing);
  }
  ASSERT_EQ(::chmod(c.path, c.isDirectory ? 0555 : 0444), 0);
  const auto before = Snapshot(dir_.Path());

  EXPECT_EQ(Run("points.csv", c.out), kCannotCreate);
  EXPECT_EQ(sink_.messages, std::vector<std::string>{kCannotCreateText});
  EXPECT_EQ(Snapshot(dir_.Path()), before);
  EXPECT_EQ(TemporaryFilesBelow(dir_.Path()), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(
    ConversionRun, ConversionRunWithoutPermission,
    ::testing::Values(PermissionCase{"NewFileInReadOnlyDirectory", "locked/new.dxf", "locked", true},
                      PermissionCase{"FileInReadOnlyDirectory", "locked/out.dxf", "locked", true},
                      PermissionCase{"ReadOnlyFile", "out.dxf", "out.dxf", false}),
    [](const auto& info) { return std::string(info.param.name); });

struct MessageCase {
  ConversionResult result;
  const char* message;
};

class OutcomeMessageText : public ::testing::TestWithParam<MessageCase> {};

TEST_P(OutcomeMessageText, IsTheUsersText) {
  EXPECT_EQ(OutcomeMessage(GetParam().result), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    ConversionRun, OutcomeMessageText,
    ::testing::Values(MessageCase{{ConvertOutcome::Converted}, "変換しました"},
                      MessageCase{kNoFile, kNoFileText},
                      MessageCase{kInputMissing, kInputMissingText},
                      MessageCase{kTemplateMissing, kTemplateMissingText},
                      MessageCase{{ConvertOutcome::BadRow, 1}, "1行目のデータが正しくありません"},
                      MessageCase{{ConvertOutcome::BadRow, 4294967297},
                                  "4294967297行目のデータが正しくありません"},
                      MessageCase{kNameEmpty, kNameEmptyText},
                      MessageCase{kSame, kSameText},
                      MessageCase{kCannotCreate, kCannotCreateText},
                      MessageCase{kTemplateInvalid, kTemplateInvalidText}));

}  // namespace
}  // namespace sorvane

// Inputs a new user tries sooner or later: files that are not point files at all,
// endless streams, pipes, odd templates and odd paths. Each run ends with a clear
// message, loses nothing and closes everything it opened.

#include "batch/batch_converter.h"
#include "engine/conversion_run.h"
#include "engine/dxf_writer.h"
#include "tests/support/open_handles.h"
#include "tests/support/scratch_directory.h"
#include "tests/support/small_r2000_template.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace sorvane {
namespace {

using testing::OpenHandleCount;
using testing::ReadFile;
using testing::RecordingSink;
using testing::ScratchDirectory;
using testing::Snapshot;
using testing::TemporaryFilesBelow;
using testing::WriteFile;

constexpr std::string_view kTemplate = "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n";
constexpr int kTemplateLines = 4;
constexpr std::string_view kPoints = "1.5,2.5,3.5\r\n-4,5,-6\r\n";
constexpr int kPointRows = 2;

std::int64_t LineCount(const std::string& path) {
  const std::string text = ReadFile(path);
  return std::count(text.begin(), text.end(), '\n');
}

std::int64_t DrawingLines(std::int64_t headLines, std::int64_t rows) {
  return headLines + 22 + 10 * rows + 8;
}

// Comment groups of one letter each, `size` bytes of them, each line ended by `lineEnd`.
std::string Comments(std::size_t size, std::string_view lineEnd) {
  const std::string comment = "999" + std::string(lineEnd) + "c" + std::string(lineEnd);
  std::string text;
  text.reserve(size + comment.size());
  while (text.size() < size) text += comment;
  return text;
}

std::size_t CountOf(std::string_view text, std::string_view part) {
  std::size_t count = 0;
  for (auto at = text.find(part); at != std::string_view::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

long PeakResidentKiB() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// Runs a conversion that must fail and checks that it changed nothing where the drawing
// goes, closed what it opened and did not need memory that grows with the input. The
// drawing has a directory of its own, so that a huge input is not read to compare.
void ExpectRefusedChangingNothing(const ScratchDirectory& directory, const std::string& inPath,
                                  const std::string& message,
                                  const std::string& templatePath = kTemplateName) {
  std::filesystem::create_directory(directory / "drawings");
  WriteFile(directory / "drawings/drawing.dxf", "an earlier drawing\r\n");
  const auto before = Snapshot(directory / "drawings");
  const int descriptorsBefore = OpenHandleCount();
  const long peakBefore = PeakResidentKiB();
  const auto start = std::chrono::steady_clock::now();

  RecordingSink sink;
  RunConversion(inPath, "drawings/drawing.dxf", sink, templatePath);

  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
  EXPECT_LT(PeakResidentKiB() - peakBefore, 64 * 1024);
  EXPECT_EQ(sink.messages, std::vector<std::string>{message});
  EXPECT_EQ(Snapshot(directory / "drawings"), before);
  EXPECT_EQ(OpenHandleCount(), descriptorsBefore);
}

TEST(HostileInput, BinaryFileRenamedCsvIsABadRow) {
  ScratchDirectory directory;
  WriteFile(directory / "PreData.txt", kTemplate);
  // A PNG's signature and the start of its first chunk: its third line holds NUL bytes.
  using namespace std::string_view_literals;
  WriteFile(directory / "photo.csv", "\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\x01,\0\0\0\x01\x08\x06"sv);
  ExpectRefusedChangingNothing(directory, "photo.csv", "3行目のデータが正しくありません");
}

TEST(HostileInput, TwoGigabytesWithoutLineEndIsABadRowSoon) {
  ScratchDirectory directory;
  WriteFile(directory / "PreData.txt", kTemplate);
  const int fd = ::open("huge.csv", O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::ftruncate(fd, off_t{2} << 30), 0);  // sparse: all NUL, no line end
  ::close(fd);
  ExpectRefusedChangingNothing(directory, "huge.csv", "1行目のデータが正しくありません");
}

TEST(HostileInput, DevZeroIsABadRowSoon) {
  ScratchDirectory directory;
  WriteFile(directory / "PreData.txt", kTemplate);
  ExpectRefusedChangingNothing(directory, "/dev/zero", "1行目のデータが正しくありません");
}

TEST(HostileInput, TemplateWithOverlongLineIsRefused) {
  ScratchDirectory directory;
  WriteFile(directory / "PreData.txt", std::string(3 << 20, 'x') + "\r\nENTITIES\r\n");
  WriteFile(directory / "points.csv", kPoints);
  ExpectRefusedChangingNothing(directory, "points.csv", "PreData.txtファイルを読み込めません");
}

// /dev/zero as the template: a megabyte of NUL bytes without a line end is no text.
TEST(HostileInput, DevZeroAsTemplateIsNoDrawing) {
  ScratchDirectory directory;
  WriteFile(directory / "points.csv", kPoints);
  ExpectRefusedChangingNothing(directory, "points.csv", "PreData.txtファイルの形式が正しくありません",
                               "/dev/zero");
}

// A template read from a pipe that never ends (`-t <(yes "  0")`) is read up to the cap
// and no further.
TEST(HostileInput, EndlessPipeAsTemplateStopsAtTheCap) {
  ScratchDirectory directory;
  WriteFile(directory / "points.csv", kPoints);
  FILE* const endless = ::popen("yes '  0'", "re");
  ASSERT_NE(endless, nullptr);
  ExpectRefusedChangingNothing(directory, "points.csv", "PreData.txtファイルを読み込めません",
                               "/proc/self/fd/" + std::to_string(::fileno(endless)));
  ::pclose(endless);
}

// A head of DXF R12 longer than any drawing's, before its ENTITIES section.
TEST(HostileInput, R12TemplateBeyondTheCapIsRefused) {
  ScratchDirectory directory;
  WriteFile(directory / "points.csv", kPoints);
  {
    std::ofstream huge(directory / "PreData.txt", std::ios::binary);
    huge << "  0\r\nSECTION\r\n  2\r\nHEADER\r\n  9\r\n$ACADVER\r\n  1\r\nAC1009\r\n";
    const std::string comments = Comments(std::size_t{1} << 20, "\r\n");
    for (std::size_t size = 0; size <= DxfWriter::kMaxTemplateSize; size += comments.size()) {
      huge << comments;
    }
    huge << "  0\r\nENDSEC\r\n" << kTemplate;
  }
  ExpectRefusedChangingNothing(directory, "points.csv", "PreData.txtファイルを読み込めません");
}

// The cap counts the template's own bytes: fifty mebibytes of short lines ended by LF,
// which would be more than the cap with each line end a CR LF, are taken, here by the
// path that holds the template whole.
TEST(HostileInput, FiftyMebibyteTemplateWithLfLineEndsIsTaken) {
  ScratchDirectory directory;
  const std::string comments = Comments(std::size_t{50} << 20, "\n");
  const std::size_t commentLines = CountOf(comments, "\n");
  ASSERT_GT(comments.size() + commentLines, DxfWriter::kMaxTemplateSize);
  const std::string r2000 = testing::small_r2000::Template();
  const std::size_t afterVersion = testing::small_r2000::kVersion.size();
  WriteFile(directory / "PreData.txt",
            r2000.substr(0, afterVersion) + comments + r2000.substr(afterVersion));
  WriteFile(directory / "points.csv", kPoints);

  RecordingSink sink;
  RunConversion("points.csv", "drawing.dxf", sink);

  EXPECT_EQ(sink.messages, std::vector<std::string>{"変換しました"});
  EXPECT_EQ(CountOf(ReadFile(directory / "drawing.dxf"), "999\r\nc\r\n"), commentLines / 2);
}

TEST(HostileOutput, SymlinkedOutputWritesItsTargetAndStays) {
  ScratchDirectory directory;
  std::filesystem::create_directory(directory / "elsewhere");
  WriteFile(directory / "PreData.txt", kTemplate);
  WriteFile(directory / "points.csv", kPoints);
  WriteFile(directory / "elsewhere/target.dxf", "an earlier drawing\r\n");
  std::filesystem::create_symlink("elsewhere/target.dxf", directory / "link.dxf");

  RecordingSink sink;
  RunConversion("points.csv", "link.dxf", sink);

  EXPECT_EQ(sink.messages, std::vector<std::string>{"変換しました"});
  ASSERT_TRUE(std::filesystem::is_symlink(directory / "link.dxf"));
  EXPECT_EQ(std::filesystem::read_symlink(directory / "link.dxf"), "elsewhere/target.dxf");
  EXPECT_EQ(LineCount(directory / "elsewhere/target.dxf"), DrawingLines(kTemplateLines, kPointRows));
  EXPECT_EQ(TemporaryFilesBelow(directory.Path()), std::vector<std::string>{});
}

// Gives the process another standard input for as long as it lives.
class RedirectedStandardInput {
 public:
  explicit RedirectedStandardInput(int fd) : saved_(::dup(STDIN_FILENO)) { ::dup2(fd, STDIN_FILENO); }
  ~RedirectedStandardInput() {
    ::dup2(saved_, STDIN_FILENO);
    ::close(saved_);
  }
  RedirectedStandardInput(const RedirectedStandardInput&) = delete;
  RedirectedStandardInput& operator=(const RedirectedStandardInput&) = delete;

 private:
  int saved_;
};

// Points from a pipe cannot be counted beforehand: an R2000 drawing's $HANDSEED is set
// once they have all been written.
TEST(HostileInput, BatchConverterReadsAPipe) {
  ScratchDirectory directory;
  WriteFile(directory / "PreData.txt", kTemplate);
  WriteFile(directory / "r2000.txt", testing::small_r2000::Template());
  for (const char* templatePath : {"PreData.txt", "r2000.txt"}) {
    SCOPED_TRACE(templatePath);
    int pipeEnds[2];
    ASSERT_EQ(::pipe2(pipeEnds, O_CLOEXEC), 0);
    ASSERT_EQ(::write(pipeEnds[1], kPoints.data(), kPoints.size()), static_cast<ssize_t>(kPoints.size()));
    ::close(pipeEnds[1]);
    const int descriptorsBefore = OpenHandleCount();

    std::ostringstream out;
    std::ostringstream err;
    int status = -1;
    {
      const RedirectedStandardInput input(pipeEnds[0]);
      const std::vector<std::string> args = {"-t", templatePath, "-o", "out.dxf", "/dev/stdin"};
      status = RunBatchConverter(args, out, err);
    }
    ::close(pipeEnds[0]);

    EXPECT_EQ(status, kExitAllConverted);
    EXPECT_EQ(out.str(), "/dev/stdin: 変換しました\n");
    EXPECT_EQ(err.str(), "");
    EXPECT_EQ(OpenHandleCount(), descriptorsBefore - 1);
  }
  // POINT 2A, POLYLINE 2B, two vertices, SEQEND 2E.
  EXPECT_NE(ReadFile(directory / "out.dxf").find("$HANDSEED\r\n  5\r\n000000000000002F\r\n"),
            std::string::npos);
}

// An R2000 template is held whole, so one beyond any drawing head is refused before it
// fills memory; nothing is written.
TEST(HostileInput, R2000TemplateTooLargeToHoldIsRefused) {
  ScratchDirectory directory;
  {
    std::ofstream huge(directory / "PreData.txt", std::ios::binary);
    huge << testing::small_r2000::kVersion;
    const std::string comments = "999\r\n" + std::string(1000, 'c') + "\r\n";
    for (std::size_t size = 0; size <= DxfWriter::kMaxTemplateSize; size += comments.size()) {
      huge << comments;
    }
  }
  WriteFile(directory / "points.csv", kPoints);
  WriteFile(directory / "drawing.dxf", "an earlier drawing\r\n");
  const int descriptorsBefore = OpenHandleCount();

  RecordingSink sink;
  RunConversion("points.csv", "drawing.dxf", sink);

  EXPECT_EQ(sink.messages, std::vector<std::string>{"PreData.txtファイルを読み込めません"});
  EXPECT_EQ(ReadFile(directory / "drawing.dxf"), "an earlier drawing\r\n");
  EXPECT_EQ(TemporaryFilesBelow(directory.Path()), std::vector<std::string>{});
  EXPECT_EQ(OpenHandleCount(), descriptorsBefore);
}

struct PathCase {
  const char* name;
  std::vector<std::string> args;
  std::string input;
  std::string output;
};

void PrintTo(const PathCase& c, std::ostream* out) { *out << c.name; }

class OddPath : public ::testing::TestWithParam<PathCase> {};

TEST_P(OddPath, BatchConverterWritesBesideIt) {
  const PathCase& c = GetParam();
  ScratchDirectory directory;
  WriteFile(directory / "PreData.txt", kTemplate);
  std::filesystem::create_directories(std::filesystem::path(directory / c.input).parent_path());
  WriteFile(directory / c.input, kPoints);

  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(RunBatchConverter(c.args, out, err), kExitAllConverted);

  EXPECT_EQ(out.str(), c.input + ": 変換しました\n");
  EXPECT_EQ(err.str(), "");
  EXPECT_EQ(LineCount(directory / c.output), DrawingLines(kTemplateLines, kPointRows));
  EXPECT_EQ(TemporaryFilesBelow(directory.Path()), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(
    Path, OddPath,
    ::testing::Values(
        PathCase{"LeadingDash", {"--", "-a.csv"}, "-a.csv", "-a.dxf"},
        PathCase{"LeadingDashOutput", {"-o", "-b.dxf", "--", "-a.csv"}, "-a.csv", "-b.dxf"},
        PathCase{"Spaces", {"survey data/day 1.csv"}, "survey data/day 1.csv", "survey data/day 1.dxf"},
        PathCase{"Japanese", {"測量/測点 一覧.csv"}, "測量/測点 一覧.csv", "測量/測点 一覧.dxf"}),
    [](const ::testing::TestParamInfo<PathCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sorvane

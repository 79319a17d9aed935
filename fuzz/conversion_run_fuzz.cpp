// A whole conversion run on an arbitrary template and point file: the input is the
// template, a line "----", then the point file. The run ends in exactly one outcome:
// the one a plain reading of the point file predicts, or, for a template that claims
// R13 or newer, that the template cannot be made conforming, which is the one outcome
// of a binary or UTF-16 template and of one in which no ENTITIES section begins. A
// drawing from any other template has exactly head + 22 + 10·rows + 8 lines; any
// outcome but a drawing leaves the earlier drawing as it was; no temporary file and no
// open descriptor remain, nor, once the fuzzer ends, the folder the runs work in.

#include "engine/conversion_run.h"
#include "engine/template_version.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/point_file_model.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

namespace sorvane::fuzz {
namespace {

constexpr std::string_view kSeparator = "\n----\n";
constexpr std::string_view kEarlierDrawing = "an earlier drawing\r\n";

// Files live in memory where it is available, so that syncing them costs nothing. The
// folder goes when the fuzzer ends.
class WorkDirectory {
 public:
  WorkDirectory() {
    std::string pattern =
        std::string(std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp") +
        "/sorvane-fuzz-XXXXXX";
    SORVANE_FUZZ_CHECK(::mkdtemp(pattern.data()) != nullptr);
    path_ = pattern;
  }
  ~WorkDirectory() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  WorkDirectory(const WorkDirectory&) = delete;
  WorkDirectory& operator=(const WorkDirectory&) = delete;

  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

const std::filesystem::path& Work() {
  static const WorkDirectory directory;
  return directory.Path();
}

void WriteFile(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  SORVANE_FUZZ_CHECK(file.good());
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

long EntriesIn(const std::filesystem::path& directory) {
  return std::distance(std::filesystem::directory_iterator(directory),
                       std::filesystem::directory_iterator());
}

class CountingSink : public MessageSink {
 public:
  void ShowMessage(std::string_view) override { ++count; }
  int count = 0;
};

// The outcome a plain reading predicts, and the rows a drawing would hold.
ConversionResult Predict(std::string_view points, std::int64_t& rows) {
  rows = 0;
  const std::vector<std::string_view> lines = Lines(points);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    ModelRow row;
    const ModelLine kind = ReadModelLine(lines[i], row);
    if (kind == ModelLine::Bad) return {ConvertOutcome::BadRow, static_cast<std::int64_t>(i) + 1};
    if (kind == ModelLine::Row) ++rows;
  }
  return {ConvertOutcome::Converted};
}

using Verdict = TemplateVersionWatcher::Verdict;

// What the engine takes the template for; the engine's own tests hold that decision to
// its rules.
Verdict TemplateVerdict(std::string_view templateText) {
  TemplateVersionWatcher watcher;
  for (const std::string_view line : Lines(templateText)) {
    const Verdict verdict = watcher.Take(line);
    if (verdict != Verdict::Undecided) return verdict;
  }
  return Verdict::Undecided;
}

}  // namespace
}  // namespace sorvane::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace sorvane;
  using namespace sorvane::fuzz;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::size_t cut = bytes.find(kSeparator);
  const std::string_view templateText = cut == std::string_view::npos ? "" : bytes.substr(0, cut);
  const std::string_view points =
      cut == std::string_view::npos ? bytes : bytes.substr(cut + kSeparator.size());

  const std::filesystem::path& directory = Work();
  WriteFile(directory / "points.csv", points);
  WriteFile(directory / "PreData.txt", templateText);
  WriteFile(directory / "drawing.dxf", kEarlierDrawing);
  const long descriptorsBefore = EntriesIn("/proc/self/fd");

  CountingSink sink;
  const ConversionResult result = RunConversion(directory / "points.csv", directory / "drawing.dxf",
                                                sink, directory / "PreData.txt");

  SORVANE_FUZZ_CHECK(sink.count == 1);
  SORVANE_FUZZ_CHECK(EntriesIn("/proc/self/fd") == descriptorsBefore);
  SORVANE_FUZZ_CHECK(EntriesIn(directory) == 3);  // no temporary file beside the drawing
  std::int64_t rows = 0;
  const Verdict verdict = TemplateVerdict(templateText);
  const bool r13OrNewer = verdict == Verdict::R13OrNewer;
  const std::optional<std::size_t> headLines = TemplateHeadLines(templateText);
  if (verdict == Verdict::NotText || (!r13OrNewer && !headLines)) {
    SORVANE_FUZZ_CHECK(result.outcome == ConvertOutcome::TemplateInvalid);
  } else {
    SORVANE_FUZZ_CHECK(result == Predict(points, rows) ||
                       (r13OrNewer && result.outcome == ConvertOutcome::TemplateInvalid));
  }
  const std::string drawing = ReadFile(directory / "drawing.dxf");
  if (result.outcome == ConvertOutcome::Converted && !r13OrNewer) {
    const auto lines = std::count(drawing.begin(), drawing.end(), '\n');
    SORVANE_FUZZ_CHECK(lines == static_cast<std::int64_t>(*headLines) + 22 + 10 * rows + 8);
  } else if (result.outcome != ConvertOutcome::Converted) {
    SORVANE_FUZZ_CHECK(drawing == kEarlierDrawing);
  }
  return 0;
}

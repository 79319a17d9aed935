#pragma once
// What the conversion run's tests share: a fresh directory per test that holds a point
// file, the template and an earlier output, and the table of runs that must fail
// without changing anything. The table's cases that only one kind of system has are
// listed in a file of that system's own.

#include "engine/conversion_run.h"

#include "tests/support/case_names.h"
#include "tests/support/open_handles.h"
#include "tests/support/scratch_directory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace sorvane {

inline void PrintTo(const ConversionResult& result, std::ostream* os) {
  *os << OutcomeMessage(result);
}

namespace fs = std::filesystem;
using testing::ReadFile;
using testing::RecordingSink;
using testing::ScratchDirectory;
using testing::Snapshot;
using testing::TemporaryFilesBelow;
using testing::WriteFile;

inline constexpr std::string_view kTemplate = "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n";
inline constexpr std::string_view kPoints = "1,2,3\r\n4,5,6\r\n";
inline constexpr std::string_view kOldDrawing = "an earlier drawing\r\n";

// Notes, when the user is told, how many files the process has open: by then the run
// must have closed everything it opened.
class ClosingCheckSink : public RecordingSink {
 public:
  void ShowMessage(std::string_view message) override {
    openFilesAtMessage.push_back(testing::OpenHandleCount());
    RecordingSink::ShowMessage(message);
  }
  std::vector<int> openFilesAtMessage;
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

struct FailureCase {
  const char* name;
  std::function<void()> arrange;  // extra files, made in the run's directory
  std::string in;                 // "{dir}" stands for the run's directory
  std::string out;
  std::string templatePath;
  ConversionResult result;
  std::string message;
};

inline std::string Expand(std::string path, const std::string& dir) {
  if (const auto at = path.find("{dir}"); at != std::string::npos) path.replace(at, 5, dir);
  return path;
}

inline void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }

class ConversionRunFailure : public ConversionRunTest,
                             public ::testing::WithParamInterface<FailureCase> {};

inline void MakeDirectory(const char* name) { fs::create_directory(name); }

inline constexpr ConversionResult kNoFile{ConvertOutcome::NoFileSelected};
inline constexpr ConversionResult kInputMissing{ConvertOutcome::InputMissing};
inline constexpr ConversionResult kTemplateMissing{ConvertOutcome::TemplateMissing};
inline constexpr ConversionResult kNameEmpty{ConvertOutcome::OutputNameEmpty};
inline constexpr ConversionResult kSame{ConvertOutcome::OutputSameAsInput};
inline constexpr ConversionResult kCannotCreate{ConvertOutcome::OutputCannotCreate};
inline constexpr ConversionResult kTemplateInvalid{ConvertOutcome::TemplateInvalid};

inline const char* const kNoFileText = "ファイル名を選択してください";
inline const char* const kInputMissingText = "ファイルが存在しません";
inline const char* const kTemplateMissingText = "PreData.txtファイルが存在しません";
inline const char* const kNameEmptyText = "出力ファイル名を入力してください";
inline const char* const kSameText = "出力ファイルが入力ファイルと同じです";
inline const char* const kCannotCreateText = "出力ファイルを作成できません";
inline const char* const kTemplateInvalidText = "PreData.txtファイルの形式が正しくありません";

}  // namespace sorvane

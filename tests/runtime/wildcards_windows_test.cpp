// Wildcards as a Windows user types them: cmd.exe hands "*.csv" to the program as it
// is, and the program expands it as a shell would elsewhere.

#include "runtime/program_io.h"

#include "tests/support/case_names.h"
#include "tests/support/scratch_directory.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace sorvane {
namespace {

using testing::ScratchDirectory;
using testing::WriteFile;

const std::string kJapanese = "\xE6\xB8\xAC\xE7\x82\xB9.csv";  // 測点.csv in UTF-8

struct WildcardCase {
  const char* name;
  std::string argument;  // "{dir}" stands for the test's folder
  std::vector<std::string> paths;
};

class WildcardExpansion : public ::testing::TestWithParam<WildcardCase> {
 protected:
  void SetUp() override {
    // Folders whose names look like point files: a pattern takes files only.
    for (const char* folder : {"data", "dx", "dy", "d", "d-e", "dir.csv", "dy/d.csv"}) {
      std::filesystem::create_directory(folder);
    }
    for (const char* name : {"B.CSV", "a.csv", "c.csv.bak", "hidden.csv", "data/d.csv",
                             "data/e.txt", "dx/d.csv", "dy/other.csv", "d/x.csv", "d-e/x.csv"}) {
      WriteFile(name, "1,2,3\r\n");
    }
    WriteFile(kJapanese, "1,2,3\r\n");
    ::SetFileAttributesW(L"hidden.csv", FILE_ATTRIBUTE_HIDDEN);
  }
  static std::string Expand(std::string text, const std::string& dir) {
    if (const auto at = text.find("{dir}"); at != std::string::npos) text.replace(at, 5, dir);
    return text;
  }

  ScratchDirectory dir_;
};

TEST_P(WildcardExpansion, GivesTheMatchingPathsSorted) {
  const WildcardCase& c = GetParam();
  std::vector<std::string> expected;
  for (const std::string& path : c.paths) expected.push_back(Expand(path, dir_.Path()));
  EXPECT_EQ(ExpandWildcards(Expand(c.argument, dir_.Path())), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Windows, WildcardExpansion,
    ::testing::Values(
        // Any letter case, sorted without regard to it; no hidden file, no folder. The
        // matching itself is the window's (runtime/file_name_pattern.h).
        WildcardCase{"StarInName", "*.csv", {"a.csv", "B.CSV", kJapanese}},
        WildcardCase{"FolderKeptAsTyped", "data\\*.csv", {"data\\d.csv"}},
        WildcardCase{"SlashKeptAsTyped", "data/*", {"data/d.csv", "data/e.txt"}},
        WildcardCase{"WildcardInFolderNeedsAFileAfterIt", "d*\\d.csv",
                     {"data\\d.csv", "dx\\d.csv"}},
        // As a shell sorts: whole paths, not folder by folder ("-" comes before "\\").
        WildcardCase{"SortedAsWholePaths", "d*\\x.csv", {"d-e\\x.csv", "d\\x.csv"}},
        WildcardCase{"AbsolutePath", "{dir}\\?.csv", {"{dir}\\a.csv", "{dir}\\B.CSV"}},
        WildcardCase{"NothingMatchesStaysAsTyped", "*.dxf", {"*.dxf"}},
        WildcardCase{"OnlyFoldersMatchStaysAsTyped", "dir.*", {"dir.*"}},
        WildcardCase{"LongPathPrefixIsNoWildcard", "\\\\?\\{dir}\\b.csv",
                     {"\\\\?\\{dir}\\b.csv"}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sorvane

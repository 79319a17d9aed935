#include "selection/main_window.h"

#include "tests/selection/main_window_fixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace sorvane {
namespace {

TEST_F(MainWindowTest, NamesThatAreNotUtf8ShowAsTheyReadAndKeepTheirBytes) {
  // "測点" and "側点" in Shift-JIS, inside the folder "フォルダ" in Shift-JIS: no byte
  // of them is UTF-8, and they differ only there.
  const std::string folder = "\x83\x74\x83\x48\x83\x8b\x83\x5f";
  const std::vector<std::pair<std::string, std::string>> names{{"\x91\xaa\x93\x5f", "測点"},
                                                               {"\x91\xa4\x93\x5f", "側点"}};
  std::filesystem::create_directory(scratch / folder);
  for (const auto& [bytes, shown] : names) {
    std::filesystem::copy_file(scratch / "points.csv", scratch / (folder + "/" + bytes + ".csv"));
  }
  // Opening the folder shown lists it anew.
  logic->Dir1_Change(folders.selected);
  OpenFolder("フォルダ");
  for (const auto& [bytes, shown] : names) {
    ClickFile(shown + ".csv");
    EXPECT_EQ(window.txt1, scratch.Path() + "/フォルダ/" + shown + ".csv");
    // The user keeps the name and changes its end: only what was typed is new.
    TypeInOutputBox(window.txt2.substr(0, window.txt2.size() - 4) + "_v2.dxf");
    EXPECT_EQ(logic->OutPath(), scratch / (folder + "/" + bytes + "_v2.dxf"));
    logic->Cmd1_Click();
  }
  EXPECT_EQ(window.messages, (std::vector<std::string>{"変換しました", "変換しました"}));
  for (const auto& [bytes, shown] : names) {
    EXPECT_TRUE(testing::ReadFile(scratch / (folder + "/" + bytes + "_v2.dxf")).ends_with("EOF\r\n"));
  }
}

}  // namespace
}  // namespace sorvane

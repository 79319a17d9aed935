#include "selection/file_list_clicks.h"

#include "tests/support/case_names.h"

#include <gtest/gtest.h>

#include <string>

namespace sorvane {
namespace {

struct ClickCase {
  const char* name;
  // 'E' the left button down on an entry, 'B' down beside the entries, 'U' up again,
  // 'S' the selection changed.
  const char* events;
  // For each event, '1' where it makes a click.
  const char* clicks;
};

class FileListClick : public ::testing::TestWithParam<ClickCase> {};

TEST_P(FileListClick, CountsOncePerPressOnAnEntryAndPerKeyboardSelection) {
  FileListClicks clicks;
  std::string made;
  for (const char event : std::string(GetParam().events)) {
    bool click = false;
    if (event == 'E' || event == 'B') clicks.ButtonDown(event == 'E');
    if (event == 'U') click = clicks.ButtonUp();
    if (event == 'S') click = clicks.SelectionChanged();
    made += click ? '1' : '0';
  }
  EXPECT_EQ(made, GetParam().clicks);
}

INSTANTIATE_TEST_SUITE_P(
    Events, FileListClick,
    ::testing::Values(ClickCase{"PressThatSelects", "ESU", "001"},
                      ClickCase{"PressOnTheSelectedEntry", "EU", "01"},
                      ClickCase{"PressBesideTheEntries", "BU", "00"},
                      ClickCase{"Keyboard", "SS", "11"},
                      ClickCase{"KeyboardAfterAPress", "ESUS", "0011"},
                      ClickCase{"KeyboardAfterAPressBeside", "BUS", "001"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sorvane

#include "selection/shown_path.h"

#include "tests/support/case_names.h"

#include <gtest/gtest.h>

#include <string>

namespace sorvane {
namespace {

// "測点" and "側点" in Shift-JIS.
constexpr const char* kSokuten = "\x91\xaa\x93\x5f";
constexpr const char* kSokuten2 = "\x91\xa4\x93\x5f";

struct ShownCase {
  const char* name;
  std::string path;
  const char* shown;
};

class PathAsShown : public ::testing::TestWithParam<ShownCase> {};

TEST_P(PathAsShown, ReadsAsTheNameWasWritten) {
  EXPECT_EQ(ShownPath(GetParam().path).Text(), GetParam().shown);
  EXPECT_EQ(ShownPath(GetParam().path).Path(), GetParam().path);
}

INSTANTIATE_TEST_SUITE_P(
    ShownPath, PathAsShown,
    ::testing::Values(
        ShownCase{"Utf8AsItIs", "/data/点群 1.csv", "/data/点群 1.csv"},
        ShownCase{"ShiftJisNameInUtf8Folder", std::string("/data/測点/") + kSokuten + ".csv",
                  "/data/測点/測点.csv"},
        ShownCase{"HalfWidthKatakana", "\xb1\xb2.csv\xff", "ｱｲ.csv\\xFF"},
        ShownCase{"NoCharacterEscaped", "a\x80z", "a\\x80z"},
        ShownCase{"LeadByteWithoutTrail", "a\x91", "a\\x91"},
        ShownCase{"BackslashEscapedBesideAnEscape", "\\\x80", "\\x5C\\x80"},
        // CP932 gives "≒" two codes; the one it does not write shows as bytes, so the
        // two names stay apart.
        ShownCase{"SecondCodeOfACharacter", "\x81\xe0\x87\x90", "≒\\x87\\x90"}),
    [](const auto& info) { return std::string(info.param.name); });

struct EditCase {
  const char* name;
  std::string path;
  const char* edited;
  std::string result;
};

class EditOfTheShownPath : public ::testing::TestWithParam<EditCase> {};

TEST_P(EditOfTheShownPath, ChangesOnlyTheBytesOfWhatWasEdited) {
  ShownPath path(GetParam().path);
  path.Edit(GetParam().edited);
  EXPECT_EQ(path.Path(), GetParam().result);
  EXPECT_EQ(path.Text(), GetParam().edited);
}

INSTANTIATE_TEST_SUITE_P(
    ShownPath, EditOfTheShownPath,
    ::testing::Values(
        EditCase{"EndRetyped", std::string("/d/") + kSokuten + ".dxf", "/d/測点_v2.dxf",
                 std::string("/d/") + kSokuten + "_v2.dxf"},
        EditCase{"LookalikeKeepsItsOwnBytes", std::string("/d/") + kSokuten2 + ".dxf",
                 "/d/側点_v2.dxf", std::string("/d/") + kSokuten2 + "_v2.dxf"},
        EditCase{"TypedBetweenTwoCharacters", kSokuten, "測-点",
                 std::string("\x91\xaa") + "-" + "\x93\x5f"},
        EditCase{"SameCharacterTypedAgain", std::string(kSokuten) + "x", "測点点x",
                 std::string(kSokuten) + "点x"},
        EditCase{"EscapeEditedBecomesText", "a\x80z", "a\\x8z", "a\\x8z"},
        EditCase{"Emptied", kSokuten, "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ShownPath, FollowsEachKeystrokeOfAnEdit) {
  ShownPath path(std::string(kSokuten) + ".dxf");
  for (const char* step : {"測点.dx", "測点.d", "測点._", "測点._v"}) path.Edit(step);
  EXPECT_EQ(path.Path(), std::string(kSokuten) + "._v");
}

}  // namespace
}  // namespace sorvane

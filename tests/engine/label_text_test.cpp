// A point's name as the drawing's TEXT holds it: UTF-8 from R2007 on, before that the
// drawing's code page with "\U+XXXX" for what it cannot hold; a name that is not UTF-8
// read as CP932.

#include "engine/label_text.h"

#include "tests/support/case_names.h"

#include <gtest/gtest.h>

#include <string>

namespace sorvane {
namespace {

// 境界 (boundary) in UTF-8 and in CP932.
constexpr std::string_view kBoundaryUtf8 = "境界";
constexpr std::string_view kBoundaryCp932 = "\x8B\xAB\x8A\x45";

struct NameCase {
  const char* name;
  bool utf8Drawing;
  std::string_view dwgCodePage;
  std::string pointName;
  std::string text;
};

class LabelTextOf : public ::testing::TestWithParam<NameCase> {};

TEST_P(LabelTextOf, WritesTheNameAsTheDrawingKeepsText) {
  LabelText label(GetParam().utf8Drawing, GetParam().dwgCodePage);
  // Asked twice: the second answer comes from what the first one learnt.
  EXPECT_EQ(label.Of(GetParam().pointName), GetParam().text);
  EXPECT_EQ(label.Of(GetParam().pointName), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    LabelText, LabelTextOf,
    ::testing::Values(
        NameCase{"AsciiAsItStands", false, "ANSI_932", "No.1-A", "No.1-A"},
        NameCase{"Utf8InR2007OrNewer", true, "ANSI_1252", std::string(kBoundaryUtf8) + "3",
                 std::string(kBoundaryUtf8) + "3"},
        NameCase{"Cp932NameInR2007OrNewer", true, "", std::string(kBoundaryCp932) + "3",
                 std::string(kBoundaryUtf8) + "3"},
        NameCase{"Utf8InAJapaneseDrawing", false, "ANSI_932", std::string(kBoundaryUtf8) + "3",
                 std::string(kBoundaryCp932) + "3"},
        NameCase{"Cp932InAJapaneseDrawing", false, "ANSI_932", std::string(kBoundaryCp932),
                 std::string(kBoundaryCp932)},
        NameCase{"JapaneseInAWesternDrawing", false, "ANSI_1252", std::string(kBoundaryUtf8) + "3",
                 "\\U+5883\\U+754C3"},
        NameCase{"WesternInAWesternDrawing", false, "ansi_1252", "Caf\xC3\xA9", "Caf\xE9"},
        NameCase{"NoCodePage", false, "", "Caf\xC3\xA9", "Caf\\U+00E9"},
        NameCase{"UnknownCodePage", false, "ANSI_X", "Caf\xC3\xA9", "Caf\\U+00E9"},
        NameCase{"BeyondSixteenBits", false, "ANSI_932", "\xF0\xA0\xAE\xB7", "\\U+D842\\U+DFB7"},
        // A lead byte without its trail, or with one that makes no character, is no
        // character; the byte after it is read anew.
        NameCase{"LeadByteAtTheEnd", true, "", "P\x81", "P\xEF\xBF\xBD"},
        NameCase{"LeadByteBeforeABlank", false, "", "\x81 P", "\\U+FFFD P"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sorvane

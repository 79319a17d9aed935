#include "engine/drawing_template.h"

#include "tests/support/case_names.h"

#include <gtest/gtest.h>

#include <ostream>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sorvane {
namespace {

// DXF text from one group a line, its code, a blank and its value: the code
// right-aligned in three characters, each line ended by CR LF.
std::string Dxf(std::string_view groups) {
  std::string text;
  while (!groups.empty()) {
    const std::size_t end = groups.find('\n');
    const std::string_view group = groups.substr(0, end);
    const std::size_t blank = group.find(' ');
    const std::string_view code = group.substr(0, blank);
    text.append(3 - std::min<std::size_t>(code.size(), 3), ' ');
    text.append(code).append("\r\n").append(group.substr(blank + 1)).append("\r\n");
    groups.remove_prefix(std::min(end + 1, groups.size()));
  }
  return text;
}

// The rest of a template after its $ACADVER: its entities LINE 2B and CIRCLE 2F are left
// out, and with them the LINE's extension dictionary 2C and the record 2D it holds, the
// group 2E of the two, the group member 2F, a layout's viewport and a sort table's
// entries.
constexpr std::string_view kRest = R"(9 $HANDSEED
5 30
9 $CLAYER
8 0
0 ENDSEC
0 SECTION
2 TABLES
0 TABLE
2 BLOCK_RECORD
5 1
330 0
0 BLOCK_RECORD
5 1F
330 1
2 *Model_Space
340 22
0 ENDTAB
0 ENDSEC
0 SECTION
2 BLOCKS
0 BLOCK
5 20
330 1F
0 LINE
5 21
330 1F
0 ENDBLK
5 23
330 1F
0 ENDSEC
0 SECTION
2 ENTITIES
0 LINE
5 2B
102 {ACAD_XDICTIONARY
360 2C
102 }
330 1F
0 CIRCLE
5 2F
330 1F
0 ENDSEC
0 SECTION
2 OBJECTS
0 DICTIONARY
5 A
330 0
3 ACAD_GROUP
350 B
0 DICTIONARY
5 B
330 A
3 EMPTIED
350 2E
3 KEPT
350 31
0 DICTIONARY
5 2C
330 2B
3 NOTE
360 2D
0 XRECORD
5 2D
330 2C
0 GROUP
5 2E
102 {ACAD_REACTORS
330 B
102 }
330 B
340 2B
340 2F
0 GROUP
5 31
330 B
340 2F
340 21
0 LAYOUT
5 22
330 A
330 1F
331 2B
0 SORTENTSTABLE
5 32
330 A
330 1F
331 2B
5 2B
331 2F
5 40
0 ENDSEC
0 EOF
999 after the end, not kept
)";

TEST(DrawingTemplate, KeepsAllButTheEntitiesAndWhatPointsAtThem) {
  const std::optional<DrawingTemplate> drawing = AnalyzeTemplate(Dxf(kRest));
  ASSERT_TRUE(drawing.has_value());
  // The sort handle 40 is the largest handle the template uses.
  EXPECT_EQ(drawing->firstFreeHandle, 0x41u);
  EXPECT_EQ(drawing->modelSpace, 0x1Fu);
  const std::string head = Dxf(R"(9 $HANDSEED
5 0000000000000041
9 $CLAYER
8 0
0 ENDSEC
0 SECTION
2 TABLES
0 TABLE
2 BLOCK_RECORD
5 1
330 0
0 BLOCK_RECORD
5 1F
330 1
2 *Model_Space
340 22
0 ENDTAB
0 ENDSEC
0 SECTION
2 BLOCKS
0 BLOCK
5 20
330 1F
0 LINE
5 21
330 1F
0 ENDBLK
5 23
330 1F
0 ENDSEC
0 SECTION
2 ENTITIES
)");
  EXPECT_EQ(drawing->head, head);
  EXPECT_EQ(drawing->handleSeedOffset, head.find("0000000000000041"));
  EXPECT_EQ(drawing->tail, Dxf(R"(0 SECTION
2 OBJECTS
0 DICTIONARY
5 A
330 0
3 ACAD_GROUP
350 B
0 DICTIONARY
5 B
330 A
3 KEPT
350 31
0 GROUP
5 31
330 B
340 21
0 LAYOUT
5 22
330 A
330 1F
0 SORTENTSTABLE
5 32
330 A
330 1F
0 ENDSEC
0 EOF
)"));
}

struct Change {
  const char* name;
  std::string_view from;  // groups of kRest
  std::string_view to;
};

std::string Changed(const Change& change) {
  std::string text(kRest);
  const auto at = text.find(change.from);
  EXPECT_NE(at, std::string::npos) << change.from;
  if (at != std::string::npos) text.replace(at, change.from.size(), change.to);
  return Dxf(text);
}

struct AcceptedCase {
  Change change;
  std::uint64_t modelSpace;
  std::uint64_t firstFreeHandle;
  const char* name = change.name;
};

class AcceptedTemplate : public ::testing::TestWithParam<AcceptedCase> {};

TEST_P(AcceptedTemplate, GivesTheModelSpaceAndTheFirstFreeHandle) {
  const std::optional<DrawingTemplate> drawing = AnalyzeTemplate(Changed(GetParam().change));
  ASSERT_TRUE(drawing.has_value());
  EXPECT_EQ(drawing->modelSpace, GetParam().modelSpace);
  EXPECT_EQ(drawing->firstFreeHandle, GetParam().firstFreeHandle);
}

INSTANTIATE_TEST_SUITE_P(
    DrawingTemplate, AcceptedTemplate,
    ::testing::Values(
        AcceptedCase{{"SeedAboveEveryHandleIsKept", "5 30\n", "5 50\n"}, 0x1F, 0x50},
        AcceptedCase{{"ModelSpaceInCapitals", "*Model_Space", "*MODEL_SPACE"}, 0x1F, 0x41},
        AcceptedCase{{"BlanksAroundHandles", "5 1F\n330 1\n", "5  1F \n330 1 \n"}, 0x1F, 0x41},
        // A DIMSTYLE's handle is its 105; its 5 names an arrow block.
        AcceptedCase{{"DimstyleFiveIsAName", "0 ENDTAB\n", "0 DIMSTYLE\n105 24\n5 \n0 ENDTAB\n"},
                     0x1F, 0x41}),
    [](const auto& info) { return std::string(info.param.name); });

class RefusedTemplate : public ::testing::TestWithParam<Change> {};

TEST_P(RefusedTemplate, CannotBeMadeConforming) {
  EXPECT_FALSE(AnalyzeTemplate(Changed(GetParam())).has_value());
}

INSTANTIATE_TEST_SUITE_P(
    DrawingTemplate, RefusedTemplate,
    ::testing::Values(
        Change{"NoSeed", "9 $HANDSEED\n5 30\n", ""},
        Change{"TwoSeeds", "9 $CLAYER\n", "9 $HANDSEED\n5 31\n9 $CLAYER\n"},
        Change{"SeedNotHexadecimal", "5 30\n", "5 3G\n"},
        Change{"SeedWithoutHandleGroup", "5 30\n", "1 30\n"},
        Change{"NoModelSpace", "*Model_Space", "*Paper_Space"},
        Change{"NoEntitiesSection", "2 ENTITIES\n", "2 LINES\n"},
        Change{"TwoEntitiesSections", "2 OBJECTS\n", "2 ENTITIES\n"},
        Change{"NoEndOfFile", "0 EOF\n", ""},
        Change{"CodeNotAnInteger", "2 BLOCKS\n", "x BLOCKS\n"},
        Change{"PointerAtNothing", "340 22\n", "340 99\n"},
        Change{"SharedHandle", "5 21\n", "5 20\n"},
        Change{"HandleNotHexadecimal", "5 23\n", "5 2X\n"},
        Change{"HandleTooLarge", "5 40\n", "5 1000000000000001\n"},
        Change{"ObjectOutsideSection", "0 SECTION\n2 OBJECTS\n",
               "0 DICTIONARY\n5 99\n0 SECTION\n2 OBJECTS\n"},
        Change{"SectionInsideSection", "0 ENDSEC\n0 SECTION\n2 BLOCKS\n", "0 SECTION\n2 BLOCKS\n"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sorvane

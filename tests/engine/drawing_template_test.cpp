#include "engine/drawing_template.h"

#include "tests/support/case_names.h"

#include <gtest/gtest.h>

#include <ostream>

#include <algorithm>
#include <cstdint>
#include <memory>
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

// A template whose entities LINE 2B and CIRCLE 2F are left out, and with them the
// LINE's extension dictionary 2C and the record 2D it holds, the group 2E of the two,
// the group member 2F, a layout's viewport and a sort table's entries.
constexpr std::string_view kTemplate = R"(0 SECTION
2 HEADER
9 $ACADVER
1 AC1015
9 $HANDSEED
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

// What the drawing keeps of kTemplate: its head, with the drawing's $HANDSEED, and its
// tail.
constexpr std::string_view kKeptHead = R"(0 SECTION
2 HEADER
9 $ACADVER
1 AC1015
9 $HANDSEED
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
)";
constexpr std::string_view kKeptTail = R"(0 SECTION
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
)";

class StringSink final : public DrawingTemplate::Sink {
 public:
  void Put(std::string_view piece) override { text.append(piece); }
  std::string text;
};

// What a template gives a drawing, written out.
struct Written {
  std::string head;
  std::size_t seedOffset = 0;
  std::string tail;
  Handle modelSpace = kNullHandle;
  Handle firstFreeHandle = kNullHandle;
};

std::optional<Written> Write(std::string text) {
  const std::unique_ptr<DrawingTemplate> drawing = DrawingTemplate::Analyze(std::move(text));
  if (!drawing) return std::nullopt;
  StringSink head;
  StringSink tail;
  const std::size_t seedOffset = drawing->WriteHead(head);
  drawing->WriteTail(tail);
  return Written{head.text, seedOffset, tail.text, drawing->ModelSpace(),
                 drawing->FirstFreeHandle()};
}

TEST(DrawingTemplate, KeepsAllButTheEntitiesAndWhatPointsAtThem) {
  const std::optional<Written> drawing = Write(Dxf(kTemplate));
  ASSERT_TRUE(drawing.has_value());
  // The sort handle 40 is the largest handle the template uses.
  EXPECT_EQ(NumberOf(drawing->firstFreeHandle), 0x41u);
  EXPECT_EQ(NumberOf(drawing->modelSpace), 0x1Fu);
  const std::string head = Dxf(kKeptHead);
  EXPECT_EQ(drawing->head, head);
  EXPECT_EQ(drawing->seedOffset, head.find("0000000000000041"));
  EXPECT_EQ(drawing->tail, Dxf(kKeptTail));
}

struct Change {
  const char* name;
  std::string_view from;  // groups of kTemplate
  std::string_view to;
  std::string_view alsoFrom = {};  // a second change, when there is one
  std::string_view alsoTo = {};
};

std::string Replaced(std::string_view original, std::string_view from, std::string_view to) {
  std::string text(original);
  const auto at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

std::string Changed(const Change& change) {
  const std::string text = Replaced(kTemplate, change.from, change.to);
  return Dxf(change.alsoFrom.empty() ? text : Replaced(text, change.alsoFrom, change.alsoTo));
}

struct AcceptedCase {
  Change change;
  std::uint64_t modelSpace;
  std::uint64_t firstFreeHandle;
  const char* name = change.name;
};

class AcceptedTemplate : public ::testing::TestWithParam<AcceptedCase> {};

TEST_P(AcceptedTemplate, GivesTheModelSpaceAndTheFirstFreeHandle) {
  const std::optional<Written> drawing = Write(Changed(GetParam().change));
  ASSERT_TRUE(drawing.has_value());
  EXPECT_EQ(NumberOf(drawing->modelSpace), GetParam().modelSpace);
  EXPECT_EQ(NumberOf(drawing->firstFreeHandle), GetParam().firstFreeHandle);
}

INSTANTIATE_TEST_SUITE_P(
    DrawingTemplate, AcceptedTemplate,
    ::testing::Values(
        AcceptedCase{{"SeedAboveEveryHandleIsKept", "5 30\n", "5 50\n"}, 0x1F, 0x50},
        AcceptedCase{{"ModelSpaceInCapitals", "*Model_Space", "*MODEL_SPACE"}, 0x1F, 0x41},
        AcceptedCase{{"BlanksAroundHandles", "5 1F\n330 1\n", "5  1F \n330 1 \n"}, 0x1F, 0x41},
        // A DIMSTYLE's handle is its 105; its 5 names an arrow block.
        AcceptedCase{{"DimstyleFiveIsAName", "0 ENDTAB\n", "0 DIMSTYLE\n105 24\n5 \n0 ENDTAB\n"},
                     0x1F, 0x41},
        AcceptedCase{{"OwnersInARingAreKept", "0 ENDSEC\n0 EOF\n",
                      "0 XRECORD\n5 3A\n330 3B\n0 XRECORD\n5 3B\n330 3A\n0 ENDSEC\n0 EOF\n"},
                     0x1F, 0x41}),
    [](const auto& info) { return std::string(info.param.name); });

// What a CAD program's audit repairs is repaired, and what points at the template's
// entities goes with them, whatever kind of pointer it is.
struct RepairCase {
  Change change;
  std::string_view keptFrom;  // groups of what the drawing keeps of kTemplate
  std::string_view keptTo;
  const char* name = change.name;
};

class RepairedTemplate : public ::testing::TestWithParam<RepairCase> {};

TEST_P(RepairedTemplate, KeepsEveryPointerResolving) {
  const RepairCase& c = GetParam();
  const std::optional<Written> drawing = Write(Changed(c.change));
  ASSERT_TRUE(drawing.has_value());
  const std::string kept = std::string(kKeptHead) + std::string(kKeptTail);
  EXPECT_EQ(drawing->head + drawing->tail, Dxf(Replaced(kept, c.keptFrom, c.keptTo)));
}

// An ACDSDATA section with the data of the block's LINE 21; the data of the CIRCLE 2F
// goes before it.
constexpr std::string_view kSolidData = R"(0 SECTION
2 ACDSDATA
70 2
71 1
0 ACDSSCHEMA
90 0
1 AcDb3DSolid_ASM_Data
0 ACDSRECORD
90 0
2 AcDbDs::ID
280 10
320 21
0 ENDSEC
0 EOF
)";
constexpr std::string_view kCircleDataFirst = R"(0 ACDSRECORD
90 0
2 AcDbDs::ID
280 10
320 2F
2 ASM_Data
280 15
94 0
0 ACDSRECORD
)";

INSTANTIATE_TEST_SUITE_P(
    DrawingTemplate, RepairedTemplate,
    ::testing::Values(
        RepairCase{{"PointerAtNothingIsNulled", "340 22\n", "340 99\n"}, "340 22\n", "340 0\n"},
        RepairCase{{"PointerThatIsNoHandleIsNulled", "340 22\n", "340 Standard\n"}, "340 22\n",
                   "340 0\n"},
        RepairCase{{"EmptyPointerIsNulled", "340 22\n", "340 \n"}, "340 22\n", "340 0\n"},
        RepairCase{{"OwnerAtNothingIsNulled", "5 20\n330 1F\n", "5 20\n330 77\n"},
                   "5 20\n330 1F\n", "5 20\n330 0\n"},
        RepairCase{{"HeaderPointerAtNothingIsNulled", "8 0\n", "8 0\n9 $INTERFEREOBJVS\n345 99\n"},
                   "8 0\n", "8 0\n9 $INTERFEREOBJVS\n345 0\n"},
        RepairCase{{"ReactorAtNothingGoes", "5 31\n330 B\n",
                    "5 31\n102 {ACAD_REACTORS\n330 B0\n330 B\n102 }\n330 B\n"},
                   "5 31\n330 B\n", "5 31\n102 {ACAD_REACTORS\n330 B\n102 }\n330 B\n"},
        RepairCase{{"DictionaryEntryAtNothingGoesWithItsKey", "3 KEPT\n",
                    "3 STALE\n350 99\n3 KEPT\n"},
                   "", ""},
        RepairCase{{"GroupMemberAtNothingGoes", "340 21\n", "340 99\n340 21\n"}, "", ""},
        RepairCase{{"SortEntryAtNothingGoesWithItsSortHandle", "5 40\n",
                    "5 40\n331 99\n5 3F\n"},
                   "", ""},
        // A handle in extended data stays unless it names a dropped entity.
        RepairCase{{"ExtendedDataHandleAtADroppedEntityGoes", "331 2B\n0 SORTENTSTABLE\n",
                    "331 2B\n1001 APP\n1005 2B\n1005 99\n1005 X\n0 SORTENTSTABLE\n"},
                   "330 1F\n0 SORTENTSTABLE\n",
                   "330 1F\n1001 APP\n1005 99\n1005 X\n0 SORTENTSTABLE\n"},
        RepairCase{{"DataOfADroppedEntityGoes", "0 EOF\n", kSolidData, "0 ACDSRECORD\n",
                    kCircleDataFirst},
                   "0 EOF\n", kSolidData}),
    [](const auto& info) { return std::string(info.param.name); });

class RefusedTemplate : public ::testing::TestWithParam<Change> {};

TEST_P(RefusedTemplate, CannotBeMadeConforming) {
  EXPECT_EQ(DrawingTemplate::Analyze(Changed(GetParam())), nullptr);
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
        Change{"SharedHandle", "5 21\n", "5 20\n"},
        Change{"HandleNotHexadecimal", "5 23\n", "5 2X\n"},
        Change{"HandleTooLarge", "5 40\n", "5 1000000000000001\n"},
        Change{"ObjectOutsideSection", "0 SECTION\n2 OBJECTS\n",
               "0 DICTIONARY\n5 99\n0 SECTION\n2 OBJECTS\n"},
        Change{"SectionInsideSection", "0 ENDSEC\n0 SECTION\n2 BLOCKS\n", "0 SECTION\n2 BLOCKS\n"},
        // Its $HANDSEED would stand outside the head the drawing seeds.
        Change{"SeedInASecondHeader", "9 $HANDSEED\n5 30\n", "", "0 EOF\n",
               "0 SECTION\n2 HEADER\n9 $HANDSEED\n5 30\n0 ENDSEC\n0 EOF\n"},
        Change{"SeedBetweenSections", "9 $HANDSEED\n5 30\n9 $CLAYER\n8 0\n0 ENDSEC\n",
               "9 $CLAYER\n8 0\n0 ENDSEC\n9 $HANDSEED\n5 30\n"},
        Change{"SeedInAnotherSection", "0 LAYOUT\n5 22\n", "0 LAYOUT\n5 22\n9 $HANDSEED\n5 50\n"}),
    [](const auto& info) { return std::string(info.param.name); });

// The analysis ends on any text, whatever its line ends: the text is read as lines
// ended by CR LF, and one that has none is no drawing.
struct LineEndCase {
  const char* name;
  std::string text;
};

void PrintTo(const LineEndCase& c, std::ostream* out) { *out << c.name; }

class LineEnds : public ::testing::TestWithParam<LineEndCase> {};

TEST_P(LineEnds, AnalysisEndsAndRefuses) {
  EXPECT_EQ(DrawingTemplate::Analyze(GetParam().text), nullptr);
}

std::string WithoutFinalLineEnd() {
  const std::string text = Dxf(Replaced(kTemplate, "999 after the end, not kept\n", ""));
  return text.substr(0, text.size() - 2);
}

INSTANTIATE_TEST_SUITE_P(DrawingTemplate, LineEnds,
                         ::testing::Values(LineEndCase{"NoFinalLineEnd", WithoutFinalLineEnd()},
                                           LineEndCase{"CodeWithoutLineEnd", "  0"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sorvane

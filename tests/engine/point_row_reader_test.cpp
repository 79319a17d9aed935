#include "engine/point_row_reader.h"

#include "runtime/text_input_file.h"
#include "tests/support/case_names.h"
#include "tests/support/scratch_directory.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <type_traits>
#include <vector>

namespace sorvane {
namespace {

using testing::ScratchDirectory;

// The coordinates of a row, whatever the reader keeps beside them.
struct Point {
  double x = 0;
  double y = 0;
  double z = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

void PrintTo(const Point& point, std::ostream* os) {
  *os << "(" << point.x << ", " << point.y << ", " << point.z << ")";
}

template <typename Field>
double ValueOf(const Field& field) {
  if constexpr (std::is_arithmetic_v<Field>) {
    return field;
  } else {
    return field.value;
  }
}

struct ReadResult {
  std::vector<Point> rows;
  RowStatus end = RowStatus::EndOfFile;  // what stopped the reading
  std::int64_t line = 0;                 // the reader's line number at that point
};

// Reads a point file the way a conversion run does: the end-of-file test before each
// row, never inside one.
ReadResult ReadPointFile(std::string_view content) {
  ScratchDirectory dir;
  const std::string path = dir / "points.csv";
  testing::WriteFile(path, content);
  TextInputFile points;
  EXPECT_TRUE(points.Open(path));
  ReadResult result;
  while (!points.AtEnd()) {
    PointRow row;
    const RowStatus status = ReadPointRow(points, row);
    if (status != RowStatus::Row) {
      result.end = status;
      break;
    }
    result.rows.push_back({ValueOf(row.X), ValueOf(row.Y), ValueOf(row.Z)});
  }
  result.line = points.LineNumber();
  return result;
}

struct RowCase {
  const char* name;
  std::string_view line;
  Point row;
};

class PointRowValues : public ::testing::TestWithParam<RowCase> {};

TEST_P(PointRowValues, GivesTheRowsCoordinates) {
  const ReadResult result = ReadPointFile(GetParam().line);
  EXPECT_EQ(result.end, RowStatus::EndOfFile);
  EXPECT_EQ(result.rows, std::vector<Point>{GetParam().row});
}

// With exactly two commas the last field is read strictly; with more, the third field
// is read by Val, which stops at the first character that cannot continue a number.
INSTANTIATE_TEST_SUITE_P(
    PointRowReader, PointRowValues,
    ::testing::Values(
        RowCase{"ThreeFields", "1.5,2.5,3.5", {1.5, 2.5, 3.5}},
        RowCase{"FourFields", "1,2,3,4", {1, 2, 3}},
        RowCase{"FiveFieldsThirdStopsAtComma", "1,2,3,4,5", {1, 2, 3}},
        RowCase{"ThirdFieldTrailingLetters", "1,2,3abc,4", {1, 2, 3}},
        RowCase{"EmptyThirdFieldBeforeFourth", "1,2,,4", {1, 2, 0}},
        RowCase{"EmptyFirstField", ",2,3", {0, 2, 3}},
        RowCase{"EmptySecondField", "1,,3", {1, 0, 3}},
        RowCase{"BlankInsideFirstField", "1 2,3,4,5", {12, 3, 4}},
        RowCase{"BlanksAroundEveryValue", " 1 , 2 , 3 ", {1, 2, 3}},
        RowCase{"TabsAroundEveryValue", "\t1\t,\t2\t,\t3\t", {1, 2, 3}},
        RowCase{"LettersInFirstFieldsReadAsZero", "a,b,3", {0, 0, 3}},
        RowCase{"SignsAndExponents", "-1.25,+2E3,-3e-2", {-1.25, 2000, -0.03}},
        RowCase{"SurveyCoordinates", "-45840.4215,-9571.4544,156.995",
                {-45840.4215, -9571.4544, 156.995}}),
    [](const auto& info) { return std::string(info.param.name); });

struct FileCase {
  const char* name;
  std::string_view content;
  std::vector<Point> rows;
};

class PointFileRows : public ::testing::TestWithParam<FileCase> {};

TEST_P(PointFileRows, ReadsEveryRowToTheEnd) {
  const ReadResult result = ReadPointFile(GetParam().content);
  EXPECT_EQ(result.end, RowStatus::EndOfFile);
  EXPECT_EQ(result.rows, GetParam().rows);
}

const std::vector<Point> kThreeRows = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}};

INSTANTIATE_TEST_SUITE_P(
    PointRowReader, PointFileRows,
    ::testing::Values(
        FileCase{"CrLf", "1,2,3\r\n4,5,6\r\n7,8,9\r\n", kThreeRows},
        FileCase{"Lf", "1,2,3\n4,5,6\n7,8,9\n", kThreeRows},
        FileCase{"Cr", "1,2,3\r4,5,6\r7,8,9\r", kThreeRows},
        FileCase{"MixedLineEnds", "1,2,3\r4,5,6\n7,8,9\r\n", kThreeRows},
        FileCase{"NoEndOnLastLine", "1,2,3\r\n4,5,6\r\n7,8,9", kThreeRows},
        FileCase{"BlankLinesAndTitlesSkipped",
                 "Survey 12\r\n\r\n1,2,3\r\n\r\n\r\n4,5,6\r\n \r\nnote\r\n7,8,9\r\n", kThreeRows},
        FileCase{"BlankLinesAfterLastRowEndTheList", "1,2,3\r\n4,5,6\r\n7,8,9\r\n\r\n\r\n\n\r",
                 kThreeRows},
        FileCase{"TitleAfterLastRowEndsTheList", "1,2,3\n4,5,6\n7,8,9\nend of survey\n",
                 kThreeRows},
        FileCase{"ByteOrderMarkAtStartSkipped", "\xEF\xBB\xBF" "1,2,3\r\n4,5,6\r\n7,8,9",
                 kThreeRows},
        // Only the very start of the file can hold a byte order mark; elsewhere it is
        // text, which Val does not read as a number.
        FileCase{"ByteOrderMarkLaterIsData", "1,2,3\r\n\xEF\xBB\xBF" "4,5,6\r\n",
                 {{1, 2, 3}, {0, 5, 6}}},
        FileCase{"EmptyFile", "", {}},
        FileCase{"OnlyByteOrderMark", "\xEF\xBB\xBF", {}},
        FileCase{"OnlyBlankLines", "\r\n\n\r", {}}),
    [](const auto& info) { return std::string(info.param.name); });

struct BadRowCase {
  const char* name;
  std::string content;
  std::int64_t line;  // 1-based line of the point file that cannot be read
};

class PointFileBadRows : public ::testing::TestWithParam<BadRowCase> {};

TEST_P(PointFileBadRows, StopsAtTheBadLine) {
  const ReadResult result = ReadPointFile(GetParam().content);
  EXPECT_EQ(result.end, RowStatus::BadRow);
  EXPECT_EQ(result.line, GetParam().line);
}

std::string LineOf(std::size_t length, std::string_view ending) {
  // A valid row padded with blanks, which the strict conversion allows around a number.
  return "1,2," + std::string(length - 5, ' ') + "3" + std::string(ending);
}

INSTANTIATE_TEST_SUITE_P(
    PointRowReader, PointFileBadRows,
    ::testing::Values(
        BadRowCase{"OneComma", "1,2,3\r\n1,2\r\n4,5,6\r\n", 2},
        BadRowCase{"EmptyLastField", "1,2,\r\n", 1},
        BadRowCase{"BlankLastField", "1,2,3\n1,2,  \n", 2},
        BadRowCase{"LettersInLastField", "1,2,3\r\n4,5,six\r\n", 2},
        BadRowCase{"TrailingTextInLastField", "1,2,3abc\r\n", 1},
        BadRowCase{"BlankInsideLastField", "1,2,3 4\r\n", 1},
        BadRowCase{"HeaderLine", "X,Y,Z\r\n1,2,3\r\n", 1},
        BadRowCase{"HeaderAfterByteOrderMark", "\xEF\xBB\xBFX,Y,Z\r\n1,2,3\r\n", 1},
        BadRowCase{"FirstFieldBeyondDouble", "1e999,2,3\r\n", 1},
        BadRowCase{"SecondFieldBeyondDouble", "1,-1e400,3\r\n", 1},
        BadRowCase{"LastFieldBeyondDouble", "1,2,3\r\n1,2,1e309\r\n", 2},
        BadRowCase{"ThirdOfFourFieldsBeyondDouble", "1,2,1e309,4\r\n", 1},
        BadRowCase{"NulByte", std::string("1,2,3\n1,2\0,3\n", 13), 2},
        BadRowCase{"CountsSkippedBlankLines", "\r\n1,2,3\r\n\r\n\r\n1;2;3\r\n1,2\r\n", 6},
        BadRowCase{"CountsEmptyLinesBetweenCrAndCrLf", "1,2,3\r\r\n\n\r1,2\r\n", 5},
        BadRowCase{"LineLongerThanLimit",
                   "1,2,3\r\n" + LineOf(TextInputFile::kMaxLineLength + 1, "\r\n"), 2},
        BadRowCase{"LongLineWithoutComma",
                   "1,2,3\n\n" + std::string(TextInputFile::kMaxLineLength + 1, 'x'), 3}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PointRowReader, ReadsALineOfTheLongestLength) {
  const std::string longest = LineOf(TextInputFile::kMaxLineLength, "\r\n");
  const ReadResult result = ReadPointFile(longest + longest + "4,5,6");
  EXPECT_EQ(result.end, RowStatus::EndOfFile);
  EXPECT_EQ(result.rows, (std::vector<Point>{{1, 2, 3}, {1, 2, 3}, {4, 5, 6}}));
}

struct BlockBoundaryCase {
  const char* name;
  std::string_view prefix;  // bytes at the very start of the file
  std::string_view ending;  // the line end that begins on the block's last byte
  int linesEnded;           // how many lines that ending ends
};

class PointFileBlockBoundary : public ::testing::TestWithParam<BlockBoundaryCase> {};

// The file is read in blocks: a CR that ends the first block must still pair
// with a LF that begins the next one, and must not swallow anything else.
TEST_P(PointFileBlockBoundary, KeepsLineNumbersAcrossTheBoundary) {
  constexpr std::size_t kBlock = TextInputFile::kBlockSize;
  const BlockBoundaryCase& c = GetParam();
  std::string content(c.prefix);
  std::int64_t lines = 0;
  while (content.size() + 7 < kBlock) {  // rows of 7 bytes: "1,2,3\r\n"
    content += "1,2,3\r\n";
    ++lines;
  }
  // One comma-less line fills up to the block's last byte, which takes the line end.
  content += std::string(kBlock - 1 - content.size(), 'x');
  ASSERT_EQ(content.size(), kBlock - 1);
  content += c.ending;
  lines += c.linesEnded;
  content += "4,5,6\r\n1,2\r\n";
  lines += 2;

  const ReadResult result = ReadPointFile(content);
  ASSERT_EQ(result.end, RowStatus::BadRow);
  EXPECT_EQ(result.line, lines);
  ASSERT_FALSE(result.rows.empty());
  EXPECT_EQ(result.rows.back(), (Point{4, 5, 6}));
}

INSTANTIATE_TEST_SUITE_P(
    PointRowReader, PointFileBlockBoundary,
    ::testing::Values(BlockBoundaryCase{"CrLfSplit", "", "\r\n", 1},
                      BlockBoundaryCase{"CrAlone", "", "\r", 1},
                      BlockBoundaryCase{"LfAlone", "", "\n", 1},
                      BlockBoundaryCase{"CrThenEmptyLine", "", "\r\r\n", 2},
                      BlockBoundaryCase{"CrThenLoneLf", "", "\r\n\n", 2},
                      BlockBoundaryCase{"CrLfSplitAfterByteOrderMark", "\xEF\xBB\xBF", "\r\n", 1}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sorvane

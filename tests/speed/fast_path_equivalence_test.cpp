// The conversion's path (rows read in batches, common rows in one pass, plain decimal
// fields straight from their digits, blocks written on a thread of their own) must
// give exactly the bytes of the plain reference path (Val, the strict conversion and
// the number text for every field), on a file that mixes every kind of field a point
// file can hold.
#include "engine/dxf_writer.h"
#include "engine/layout_row_reader.h"
#include "engine/point_row_reader.h"
#include "runtime/number_text.h"
#include "runtime/output_file.h"
#include "runtime/text_input_file.h"
#include "tests/support/scratch_directory.h"

#include <gtest/gtest.h>

#include <cstring>
#include <ostream>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace sorvane {
namespace {

using sorvane::testing::ReadFile;
using sorvane::testing::ScratchDirectory;
using sorvane::testing::WriteFile;
// A literal before a temporary string ("." + Digits()) trips a false -Wrestrict in
// GCC 12 at -O3; a std::string literal ("."s) takes another path through operator+.
using namespace std::string_literals;

class FieldGenerator {
 public:
  explicit FieldGenerator(std::uint64_t seed) : random_(seed) {}

  // A field that both paths must read alike; `lenient` when Val reads it (a field
  // before the last comma), so that text which is no number may appear too.
  std::string Field(bool lenient) { return Form(Pick(lenient ? 12 : 9)); }
  // A plain decimal, as survey programs write them.
  std::string PlainField() { return Form(Pick(kPlainForms)); }

 private:
  static constexpr std::size_t kPlainForms = 7;
  std::string Form(std::size_t form) {
    switch (form) {
      case 0: return Sign() + Digits(1 + Pick(6)) + "." + Digits(Pick(9));  // survey-like
      case 1: return Sign() + Digits(1 + Pick(20)) + (Pick(2) ? "."s + Digits(Pick(25)) : "");
      case 2: return Sign() + std::string(Pick(5), '0') + Digits(1 + Pick(4)) + "." +
                     Digits(Pick(6)) + std::string(Pick(5), '0');  // leading and trailing zeros
      case 3: return Sign() + "0." + std::string(Pick(8), '0') + Digits(1 + Pick(16));
      case 4: return Sign() + (Pick(2) ? "0" : "0.") + std::string(Pick(4), '0');  // zeros, -0
      case 5: return Sign() + Digits(1 + Pick(10)) + ".";
      case 6: return Sign() + "1" + std::string(14 + Pick(4), '0') + (Pick(2) ? ".0" : "");
      case 7: return Sign() + Digits(1 + Pick(3)) + "." + Digits(Pick(4)) + (Pick(2) ? "E" : "e") +
                     (Pick(2) ? "-" : "+") + Digits(1 + Pick(2));
      case 8: return " "s + Sign() + "." + Digits(1 + Pick(10)) + "\t";
      // Only Val reads these: blanks inside a number, letters after it, no number.
      case 9: return " "s + Sign() + Digits(1 + Pick(4)) + " " + Digits(Pick(3)) + "." + Digits(Pick(4));
      case 10: return Digits(1 + Pick(5)) + "abc";
      default: return Pick(2) ? "" : "-";
    }
  }

  std::size_t Pick(std::size_t n) { return static_cast<std::size_t>(random_() % n); }
  std::string Sign() {
    static constexpr const char* kSigns[] = {"", "", "-", "+"};
    return kSigns[Pick(4)];
  }
  std::string Digits(std::size_t count) {
    std::string digits;
    for (std::size_t i = 0; i < count; ++i) digits += static_cast<char>('0' + Pick(10));
    return digits;
  }

  std::mt19937_64 random_;
};

// Runs of rows of three plain decimals, which take the fastest path, between rows of
// every other kind, with every line end and now and then a line that is skipped.
std::string MixedPointFile(std::size_t rows) {
  FieldGenerator fields(20261207);
  std::mt19937_64 random(11);
  std::string text;
  bool plainRun = false;
  for (std::size_t i = 0; i < rows; ++i) {
    if (random() % 16 == 0) plainRun = !plainRun;
    if (random() % 64 == 0) text += random() % 2 == 0 ? "\r\n" : "X Y Z\n";
    if (plainRun) {
      text += fields.PlainField() + "," + fields.PlainField() + "," + fields.PlainField();
    } else {
      const bool fourFields = random() % 4 == 0;
      text += fields.Field(true) + "," + fields.Field(true) + "," + fields.Field(fourFields);
      if (fourFields) text += ","s + fields.Field(true);
    }
    static constexpr const char* kLineEnds[] = {"\n", "\r\n", "\r\n", "\r"};
    text += kLineEnds[random() % 4];
  }
  return text;
}

// A point file open for reading, and a drawing of vertices alone written from it.
struct VertexDrawing {
  VertexDrawing(const std::string& pointPath, const std::string& outPath) : path(outPath) {
    EXPECT_TRUE(points.Open(pointPath));
    EXPECT_EQ(out.Create(outPath, {}), OutputFile::CreateStatus::Created);
  }
  std::string Finish() {
    EXPECT_TRUE(out.Commit());
    return ReadFile(path);
  }

  std::string path;
  TextInputFile points;
  OutputFile out;
  DxfWriter writer{out, PolylineKind::Flat};
};

// The vertices of a point file as a conversion writes them: its rows read in batches,
// plain decimal fields and common rows taken the fast way, the blocks written on a
// thread of their own.
std::string ConvertFast(const std::string& pointPath, const std::string& outPath) {
  VertexDrawing drawing(pointPath, outPath);
  PrintedRows rows;
  for (RowStatus end = RowStatus::Row; end == RowStatus::Row;) {
    rows.Clear();
    end = ReadPointRows(drawing.points, rows);
    drawing.writer.WriteVertices(rows);
    EXPECT_TRUE(end == RowStatus::Row || end == RowStatus::EndOfFile)
        << "line " << drawing.points.LineNumber();
  }
  return drawing.Finish();
}

// The same by the plain path: every field by Val or the strict conversion, every value
// printed by PrintNumberText.
std::string ConvertByReference(const std::string& pointPath, const std::string& outPath) {
  VertexDrawing drawing(pointPath, outPath);
  PrintedRows rows;
  PointRow row;
  while (!drawing.points.AtEnd()) {
    const RowStatus status = ReadPointRow(drawing.points, row, FieldReading::Reference);
    EXPECT_EQ(status, RowStatus::Row) << "line " << drawing.points.LineNumber();
    if (status != RowStatus::Row) break;
    char* text = rows.RowSpace();
    for (const Coordinate* coordinate : {&row.X, &row.Y, &row.Z}) {
      text = PrintedRows::PutText(text, [&](char* at) { return PrintNumberText(coordinate->value, at); });
    }
    rows.CommitRow(text);
    drawing.writer.WriteVertices(rows);
    rows.Clear();
  }
  return drawing.Finish();
}

TEST(FastPathEquivalence, GivesTheBytesOfTheReferencePathOnMixedRows) {
  ScratchDirectory scratch;
  const std::string pointPath = scratch / "mixed.csv";
  WriteFile(pointPath, MixedPointFile(300000));

  const std::string fast = ConvertFast(pointPath, scratch / "fast.dxf");
  const std::string reference = ConvertByReference(pointPath, scratch / "reference.dxf");
  ASSERT_EQ(fast.size(), reference.size());
  // Find the first differing vertex rather than printing two 30 MB texts.
  const auto [f, r] = std::mismatch(fast.begin(), fast.end(), reference.begin());
  EXPECT_TRUE(f == fast.end()) << "first difference near: "
                               << std::string(f - std::min<std::ptrdiff_t>(60, f - fast.begin()), f + 20);
}

// Survey rows laid out as a name, the northing, the easting and Z, separated by
// semicolons under a header line: runs of plain decimals and bare names, which take the
// one-pass path, between rows with blanks around a name, numbers of every strict form
// and fields after the last, then a row too short.
std::string LaidOutPointFile(std::size_t rows) {
  FieldGenerator fields(20261208);
  std::mt19937_64 random(26);
  std::string text = "name;N;E;Z\r\n";
  for (std::size_t i = 0; i < rows; ++i) {
    if (random() % 64 == 0) text += "\r\n";
    const bool plain = random() % 4 != 0;
    const std::string name = "P"s + std::to_string(i);
    text += random() % 8 == 0 ? " "s + name + "\t" : name;
    for (int value = 0; value < 3; ++value) text += ";"s + (plain ? fields.PlainField() : fields.Field(false));
    if (random() % 16 == 0) text += ";note";
    static constexpr const char* kLineEnds[] = {"\n", "\r\n", "\r\n", "\r"};
    text += kLineEnds[random() % 4];
  }
  return text + "P;1;2\r\n";
}

struct LaidOutRows {
  std::vector<std::string> texts;  // each row's X, Y and Z texts
  RowStatus end = RowStatus::Row;
  std::int64_t line = 0;
};

void TakeTexts(const char* text, const char* end, std::vector<std::string>& texts) {
  while (text != end) {
    std::string row;
    for (int value = 0; value < 3; ++value) {
      char printed[kMaxNumberTextLength];
      row.append(printed, PrintedRows::CopyText(printed, text)).append("|");
    }
    texts.push_back(std::move(row));
  }
}

// The batches of the conversion's path, or the rows read one at a time the general way.
LaidOutRows ReadLaidOut(const std::string& path, const PointLayout& layout, bool batches) {
  TextInputFile points;
  EXPECT_TRUE(points.Open(path));
  LaidOutRows read;
  PrintedRows rows;
  while (read.end == RowStatus::Row) {
    rows.Clear();
    if (batches) {
      read.end = ReadLayoutRows(points, layout, rows);
      TakeTexts(rows.begin(), rows.end(), read.texts);
      continue;
    }
    LabelledRow row;
    read.end = ReadLabelledRow(points, layout, row);
    if (read.end != RowStatus::Row) break;
    char* text = rows.RowSpace();
    for (const NumberText* value : {&row.x, &row.y, &row.z}) {
      text = PrintedRows::PutText(text, [&](char* at) {
        std::memcpy(at, value->text, value->length);
        return at + value->length;
      });
    }
    rows.CommitRow(text);
    TakeTexts(rows.begin(), rows.end(), read.texts);
  }
  read.line = points.LineNumber();
  return read;
}

TEST(FastPathEquivalence, LaidOutRowsGiveTheTextsOfTheGeneralPath) {
  ScratchDirectory scratch;
  const std::string pointPath = scratch / "laid-out.csv";
  const std::size_t rows = 100000;
  WriteFile(pointPath, LaidOutPointFile(rows));
  PointLayout layout;
  layout.separator = Separator::Semicolon;
  layout.skipLines = 1;
  layout = WithColumns(layout, "name,n,e,z").value();

  const LaidOutRows fast = ReadLaidOut(pointPath, layout, true);
  const LaidOutRows general = ReadLaidOut(pointPath, layout, false);
  EXPECT_EQ(fast.texts.size(), rows);
  ASSERT_EQ(fast.texts.size(), general.texts.size());
  const auto [f, g] = std::mismatch(fast.texts.begin(), fast.texts.end(), general.texts.begin());
  EXPECT_TRUE(f == fast.texts.end()) << "row " << f - fast.texts.begin() + 1 << ": " << *f
                                     << " against " << *g;
  EXPECT_EQ(fast.end, RowStatus::BadRow);
  EXPECT_EQ(general.end, RowStatus::BadRow);
  EXPECT_EQ(fast.line, general.line);
}

// Fields at the edges of the quick scan of the commonest numbers: the longest it takes,
// the shortest it leaves to the full scan, and zeros it must keep or drop. Each row is
// read in a batch among enough rows that most take the one-pass path, and every value
// must print as the plain path prints it.
struct EdgeField {
  const char* name;
  std::string field;
};

void PrintTo(const EdgeField& edge, std::ostream* out) { *out << edge.name; }

class QuickScanEdges : public ::testing::TestWithParam<EdgeField> {};

TEST_P(QuickScanEdges, PrintLikeThePlainPath) {
  const std::string& field = GetParam().field;
  ScratchDirectory scratch;
  std::string rows;
  for (int i = 0; i < 8; ++i) rows += field + "," + field + "," + field + "\r\n";
  WriteFile(scratch / "edges.csv", rows);
  TextInputFile points;
  ASSERT_TRUE(points.Open(scratch / "edges.csv"));
  PrintedRows batch;
  ASSERT_EQ(ReadPointRows(points, batch), RowStatus::EndOfFile);

  char expected[kMaxNumberTextLength];
  const char* const expectedEnd = PrintNumberText(StrictConvert(field).value(), expected);
  int texts = 0;
  for (const char* text = batch.begin(); text != batch.end(); ++texts) {
    char read[kMaxNumberTextLength];
    const char* const readEnd = PrintedRows::CopyText(read, text);
    EXPECT_EQ(std::string_view(read, readEnd), std::string_view(expected, expectedEnd));
  }
  EXPECT_EQ(texts, 24);
}

INSTANTIATE_TEST_SUITE_P(
    FastPathEquivalence, QuickScanEdges,
    ::testing::Values(EdgeField{"FifteenWholeDigits", "123456789012345"},
                      EdgeField{"SixteenWholeDigits", "-1234567890123456"},
                      EdgeField{"FifteenBytesWithPoint", "1234567890123.4"},
                      EdgeField{"SixteenBytesWithPoint", "-12345678901234.5"},
                      EdgeField{"WholeWithTrailingZeros", "1200"},
                      EdgeField{"PointLast", "-12."},
                      EdgeField{"ZerosUpToThePoint", "12.000"},
                      EdgeField{"ZerosAfterADigit", "+7.250"},
                      EdgeField{"LeadingZero", "0.25"},
                      EdgeField{"NegativeZero", "-0.0"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sorvane

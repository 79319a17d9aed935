// The conversion's path (rows read in batches on a thread of their own, common rows in
// one pass, plain decimal fields straight from their digits) must give exactly the
// bytes of the plain reference path (Val, the strict conversion and the number text
// for every field), on a file that mixes every kind of field a point file can hold.
#include "engine/background_row_reader.h"
#include "engine/dxf_writer.h"
#include "engine/point_row_reader.h"
#include "runtime/output_file.h"
#include "runtime/text_input_file.h"
#include "tests/support/scratch_directory.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

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

// The vertices of a point file as a conversion writes them: its rows read in batches
// on a thread of their own, plain decimal fields and common rows taken the fast way.
std::string ConvertFast(const std::string& pointPath, const std::string& outPath) {
  VertexDrawing drawing(pointPath, outPath);
  BackgroundRowReader rows(drawing.points);
  for (RowStatus end = RowStatus::Row; end == RowStatus::Row;) {
    const BackgroundRowReader::Batch& batch = rows.Next();
    drawing.writer.WriteVertices(batch.rows);
    end = batch.end;
    EXPECT_TRUE(end == RowStatus::Row || end == RowStatus::EndOfFile) << "line " << batch.lineNumber;
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

}  // namespace
}  // namespace sorvane

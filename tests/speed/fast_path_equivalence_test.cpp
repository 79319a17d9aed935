// The fast path for plain decimal fields must give exactly the bytes of the plain
// reference path (Val, the strict conversion and the number text for every field), on
// a file that mixes every kind of field a point file can hold.
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
  std::string Field(bool lenient) {
    switch (Pick(lenient ? 12 : 9)) {
      case 0: return Sign() + Digits(1 + Pick(6)) + "." + Digits(Pick(9));  // survey-like
      case 1: return Sign() + Digits(1 + Pick(20)) + (Pick(2) ? "."s + Digits(Pick(25)) : "");
      case 2: return Sign() + std::string(Pick(5), '0') + Digits(1 + Pick(4)) + "." +
                     Digits(Pick(6)) + std::string(Pick(5), '0');  // leading and trailing zeros
      case 3: return Sign() + "0." + std::string(Pick(8), '0') + Digits(1 + Pick(16));
      case 4: return Sign() + Digits(1 + Pick(3)) + "." + Digits(Pick(4)) + (Pick(2) ? "E" : "e") +
                     (Pick(2) ? "-" : "+") + Digits(1 + Pick(2));
      case 5: return Sign() + (Pick(2) ? "0" : "0.") + std::string(Pick(4), '0');  // zeros, -0
      case 6: return " "s + Sign() + "." + Digits(1 + Pick(10)) + "\t";
      case 7: return Sign() + Digits(1 + Pick(10)) + ".";
      case 8: return Sign() + "1" + std::string(14 + Pick(4), '0') + (Pick(2) ? ".0" : "");
      // Only Val reads these: blanks inside a number, letters after it, no number.
      case 9: return " "s + Sign() + Digits(1 + Pick(4)) + " " + Digits(Pick(3)) + "." + Digits(Pick(4));
      case 10: return Digits(1 + Pick(5)) + "abc";
      default: return Pick(2) ? "" : "-";
    }
  }

 private:
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

std::string MixedPointFile(std::size_t rows) {
  FieldGenerator fields(20261207);
  std::mt19937_64 random(11);
  std::string text;
  for (std::size_t i = 0; i < rows; ++i) {
    const bool fourFields = random() % 4 == 0;
    text += fields.Field(true) + "," + fields.Field(true) + "," + fields.Field(fourFields);
    if (fourFields) text += ","s + fields.Field(true);
    text += random() % 3 == 0 ? "\n" : "\r\n";
  }
  return text;
}

std::string ConvertWith(FieldReading reading, const std::string& pointPath,
                        const std::string& outPath) {
  TextInputFile points;
  EXPECT_TRUE(points.Open(pointPath));
  OutputFile out;
  EXPECT_EQ(out.Create(outPath, {}), OutputFile::CreateStatus::Created);
  DxfWriter writer(out, PolylineKind::Flat);
  PointRow row;
  std::size_t rows = 0;
  while (!points.AtEnd()) {
    const RowStatus status = ReadPointRow(points, row, reading);
    EXPECT_EQ(status, RowStatus::Row) << "line " << points.LineNumber();
    if (status != RowStatus::Row) break;
    writer.WriteVertex(row);
    ++rows;
  }
  EXPECT_TRUE(out.Commit());
  return ReadFile(outPath);
}

TEST(FastPathEquivalence, GivesTheBytesOfTheReferencePathOnMixedRows) {
  ScratchDirectory scratch;
  const std::string pointPath = scratch / "mixed.csv";
  WriteFile(pointPath, MixedPointFile(300000));

  const std::string fast = ConvertWith(FieldReading::Fast, pointPath, scratch / "fast.dxf");
  const std::string reference =
      ConvertWith(FieldReading::Reference, pointPath, scratch / "reference.dxf");
  ASSERT_EQ(fast.size(), reference.size());
  // Find the first differing vertex rather than printing two 30 MB texts.
  const auto [f, r] = std::mismatch(fast.begin(), fast.end(), reference.begin());
  EXPECT_TRUE(f == fast.end()) << "first difference near: "
                               << std::string(f - std::min<std::ptrdiff_t>(60, f - fast.begin()), f + 20);
}

}  // namespace
}  // namespace sorvane

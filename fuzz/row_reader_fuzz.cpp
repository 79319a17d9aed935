// The row reader on arbitrary bytes: every row, skipped line and bad row, with its
// line number, is what a plain line-by-line reading of the same bytes gives; the
// printed text of each value is that of the general number path; nothing loops.

#include "engine/point_row_reader.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/memory_file.h"
#include "fuzz/point_file_model.h"

#include <cstdint>
#include <string_view>

namespace sorvane::fuzz {
namespace {

std::string_view Printed(const Coordinate& coordinate, char* buffer) {
  if (coordinate.printed.length != 0) return coordinate.printed.View();
  return {buffer, static_cast<std::size_t>(PrintNumberText(coordinate.value, buffer) - buffer)};
}

void CheckCoordinate(const Coordinate& read, double expected) {
  SORVANE_FUZZ_CHECK(read.value == expected);
  char readText[kMaxNumberTextLength];
  char expectedText[kMaxNumberTextLength];
  const std::string_view expectedPrinted(
      expectedText, static_cast<std::size_t>(PrintNumberText(expected, expectedText) - expectedText));
  SORVANE_FUZZ_CHECK(Printed(read, readText) == expectedPrinted);
}

}  // namespace
}  // namespace sorvane::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace sorvane;
  using namespace sorvane::fuzz;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const MemoryFile file(bytes);
  TextInputFile points;
  SORVANE_FUZZ_CHECK(points.Open(file.Path()));

  const std::vector<std::string_view> lines = Lines(bytes);
  std::size_t linesRead = 0;
  while (!points.AtEnd()) {
    ModelRow expected;
    ModelLine kind = ModelLine::NoComma;
    while (kind == ModelLine::NoComma && linesRead < lines.size()) {
      kind = ReadModelLine(lines[linesRead++], expected);
    }
    PointRow row;
    switch (ReadPointRow(points, row)) {
      case RowStatus::Row:
        SORVANE_FUZZ_CHECK(kind == ModelLine::Row);
        SORVANE_FUZZ_CHECK(points.LineNumber() == static_cast<std::int64_t>(linesRead));
        CheckCoordinate(row.X, expected.x);
        CheckCoordinate(row.Y, expected.y);
        CheckCoordinate(row.Z, expected.z);
        break;
      case RowStatus::EndOfFile:
        SORVANE_FUZZ_CHECK(kind == ModelLine::NoComma && linesRead == lines.size());
        break;
      case RowStatus::BadRow:
        SORVANE_FUZZ_CHECK(kind == ModelLine::Bad);
        SORVANE_FUZZ_CHECK(points.LineNumber() == static_cast<std::int64_t>(linesRead));
        return 0;
      case RowStatus::ReadFailed:
        SORVANE_FUZZ_CHECK(false);
    }
  }
  SORVANE_FUZZ_CHECK(linesRead == lines.size());
  return 0;
}

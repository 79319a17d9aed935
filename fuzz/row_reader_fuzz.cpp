// The row reader on arbitrary bytes, one row at a time and in batches as a conversion
// reads them: every row, skipped line and bad row, with its line number, is what a
// plain line-by-line reading of the same bytes gives; the printed text of each value
// is that of the general number path; nothing loops.

#include "engine/point_row_reader.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/memory_file.h"
#include "fuzz/point_file_model.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace sorvane::fuzz {
namespace {

std::string_view Print(double value, char* buffer) {
  return {buffer, static_cast<std::size_t>(PrintNumberText(value, buffer) - buffer)};
}

void CheckCoordinate(const Coordinate& read, double expected) {
  SORVANE_FUZZ_CHECK(read.value == expected);
  char readText[kMaxNumberTextLength];
  char expectedText[kMaxNumberTextLength];
  const std::string_view printed =
      read.printed.length != 0 ? read.printed.View() : Print(read.value, readText);
  SORVANE_FUZZ_CHECK(printed == Print(expected, expectedText));
}

// The model's reading: the lines that are rows or bad, comma-less ones skipped.
class ModelReader {
 public:
  explicit ModelReader(std::string_view bytes) : lines_(Lines(bytes)) {}

  // The kind of the next line that holds a comma, NoComma when none is left.
  ModelLine Next(ModelRow& row) {
    ModelLine kind = ModelLine::NoComma;
    while (kind == ModelLine::NoComma && linesRead_ < lines_.size()) {
      kind = ReadModelLine(lines_[linesRead_++], row);
    }
    return kind;
  }
  // The 1-based number of the line Next read last.
  std::int64_t LineNumber() const { return static_cast<std::int64_t>(linesRead_); }
  bool AtEnd() const { return linesRead_ == lines_.size(); }

 private:
  std::vector<std::string_view> lines_;
  std::size_t linesRead_ = 0;
};

void CheckRowByRow(std::string_view bytes) {
  const MemoryFile file(bytes);
  TextInputFile points;
  SORVANE_FUZZ_CHECK(points.Open(file.Path()));
  ModelReader model(bytes);
  while (!points.AtEnd()) {
    ModelRow expected;
    const ModelLine kind = model.Next(expected);
    PointRow row;
    switch (ReadPointRow(points, row)) {
      case RowStatus::Row:
        SORVANE_FUZZ_CHECK(kind == ModelLine::Row);
        SORVANE_FUZZ_CHECK(points.LineNumber() == model.LineNumber());
        CheckCoordinate(row.X, expected.x);
        CheckCoordinate(row.Y, expected.y);
        CheckCoordinate(row.Z, expected.z);
        break;
      case RowStatus::EndOfFile:
        SORVANE_FUZZ_CHECK(kind == ModelLine::NoComma && model.AtEnd());
        break;
      case RowStatus::BadRow:
        SORVANE_FUZZ_CHECK(kind == ModelLine::Bad);
        SORVANE_FUZZ_CHECK(points.LineNumber() == model.LineNumber());
        return;
      case RowStatus::ReadFailed:
        SORVANE_FUZZ_CHECK(false);
    }
  }
  SORVANE_FUZZ_CHECK(model.AtEnd());
}

void CheckBatches(std::string_view bytes) {
  const MemoryFile file(bytes);
  TextInputFile points;
  SORVANE_FUZZ_CHECK(points.Open(file.Path()));
  ModelReader model(bytes);
  PrintedRows rows;
  RowStatus end = RowStatus::Row;
  while (end == RowStatus::Row) {
    rows.Clear();
    end = ReadPointRows(points, rows);
    for (const char* text = rows.begin(); text != rows.end();) {
      ModelRow expected;
      SORVANE_FUZZ_CHECK(model.Next(expected) == ModelLine::Row);
      for (const double value : {expected.x, expected.y, expected.z}) {
        char readText[kMaxNumberTextLength];
        char expectedText[kMaxNumberTextLength];
        const char* const readEnd = PrintedRows::CopyText(readText, text);
        SORVANE_FUZZ_CHECK(std::string_view(readText, readEnd) == Print(value, expectedText));
      }
    }
  }
  ModelRow ignored;
  const ModelLine last = model.Next(ignored);
  SORVANE_FUZZ_CHECK(end != RowStatus::ReadFailed);
  SORVANE_FUZZ_CHECK((end == RowStatus::BadRow) == (last == ModelLine::Bad));
  if (end == RowStatus::BadRow) SORVANE_FUZZ_CHECK(points.LineNumber() == model.LineNumber());
  if (end == RowStatus::EndOfFile) SORVANE_FUZZ_CHECK(model.AtEnd());
}

}  // namespace
}  // namespace sorvane::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  sorvane::fuzz::CheckRowByRow(bytes);
  sorvane::fuzz::CheckBatches(bytes);
  return 0;
}

#include "point_row_reader.h"

#include "number_text.h"

#include <optional>
#include <string_view>

namespace sorvane {
namespace {

constexpr std::size_t kNone = std::string_view::npos;

enum class LineKind { Row, NoComma, Bad };

LineKind ConvertLine(std::string_view line, PointRow& row) {
  int commaCount = 0;
  std::size_t firstComma = kNone;
  std::size_t secondComma = kNone;
  std::size_t lastComma = kNone;  // the last comma from the third on
  for (std::size_t position = 0; position < line.size(); ++position) {
    const char c = line[position];
    if (c == ',') {
      if (commaCount == 0) {
        commaCount = 1;
        firstComma = position;
      } else if (commaCount == 1) {
        commaCount = 2;
        secondComma = position;
      } else {
        lastComma = position;
      }
    } else if (c == '\0') {
      return LineKind::Bad;
    }
  }
  if (commaCount == 0) return LineKind::NoComma;
  if (commaCount == 1) return LineKind::Bad;  // a row needs two commas

  const std::optional<double> x = Val(line.substr(0, firstComma));
  const std::optional<double> y = Val(line.substr(firstComma + 1, secondComma - firstComma - 1));
  const std::optional<double> z =
      lastComma != kNone ? Val(line.substr(secondComma + 1, lastComma - secondComma - 1))
                         : StrictConvert(line.substr(secondComma + 1));
  if (!x || !y || !z) return LineKind::Bad;
  row = {*x, *y, *z};
  return LineKind::Row;
}

}  // namespace

RowStatus ReadPointRow(TextInputFile& points, PointRow& row) {
  // Blank lines after the last row end the vertex list as the end of the file does.
  while (!points.AtEnd()) {
    std::string_view line;
    switch (points.ReadLine(line)) {
      case TextInputFile::LineStatus::Read: break;
      case TextInputFile::LineStatus::TooLong: return RowStatus::BadRow;
      case TextInputFile::LineStatus::ReadFailed: return RowStatus::ReadFailed;
    }
    switch (ConvertLine(line, row)) {
      case LineKind::Row: return RowStatus::Row;
      case LineKind::Bad: return RowStatus::BadRow;
      case LineKind::NoComma: break;
    }
  }
  return RowStatus::EndOfFile;
}

}  // namespace sorvane

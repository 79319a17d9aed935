#include "engine/point_row_reader.h"

#include "engine/row_batches.h"
#include "runtime/number_text.h"

#include <cstring>
#include <optional>
#include <string_view>

namespace sorvane {
namespace {

constexpr std::size_t kNone = std::string_view::npos;

enum class LineKind { Row, NoComma, Bad };

// Reads one field by Val, or by the strict conversion when it is the last of a line
// with exactly two commas. False when the field gives no value.
bool ReadField(std::string_view field, bool strict, FieldReading reading, Coordinate& out) {
  if (reading == FieldReading::Fast && ReadPlainDecimal(field, out.value, out.printed)) {
    return true;
  }
  const std::optional<double> value = strict ? StrictConvert(field) : Val(field);
  if (!value) return false;
  out.value = *value;
  out.printed.length = 0;
  return true;
}

LineKind ConvertLine(std::string_view line, FieldReading reading, PointRow& row) {
  // The comma scanner: the first comma, the second, and the last from the third on.
  // memchr finds them far faster than a loop over the characters.
  if (std::memchr(line.data(), '\0', line.size()) != nullptr) return LineKind::Bad;  // not text
  int commaCount = 0;
  std::size_t firstComma = line.find(',');
  std::size_t secondComma = kNone;
  std::size_t lastComma = kNone;
  if (firstComma != kNone) {
    commaCount = 1;
    secondComma = line.find(',', firstComma + 1);
    if (secondComma != kNone) {
      commaCount = 2;
      // Most rows have no third comma: one forward search over the Z field shows it,
      // and only when there is one is the last comma looked for from the end.
      if (std::memchr(line.data() + secondComma + 1, ',', line.size() - secondComma - 1) != nullptr) {
        lastComma = line.rfind(',');
      }
    }
  }
  if (commaCount == 0) return LineKind::NoComma;
  if (commaCount == 1) return LineKind::Bad;  // a row needs two commas

  const bool threeOrMoreCommas = lastComma != kNone;
  const std::string_view zField =
      threeOrMoreCommas ? line.substr(secondComma + 1, lastComma - secondComma - 1)
                        : line.substr(secondComma + 1);
  const bool read =
      ReadField(line.substr(0, firstComma), false, reading, row.X) &&
      ReadField(line.substr(firstComma + 1, secondComma - firstComma - 1), false, reading, row.Y) &&
      ReadField(zField, !threeOrMoreCommas, reading, row.Z);
  return read ? LineKind::Row : LineKind::Bad;
}

// Reads a line of the commonest form, three plain decimals separated by two commas and
// ended by CR, LF or CR LF, from `line` and puts the texts of its values at `out`.
// Returns the start of the next line, or nullptr when the line has another form, which
// is then read the general way. Reads at most kCommonRowWindow bytes from `line`.
const char* ReadCommonRow(const char* line, char*& out) {
  // The last two bytes of the window are left for the line end.
  const char* const limit = line + kCommonRowWindow - 2;
  char* text = out;
  const char* p = line;
  for (const char separator : {',', ',', '\r'}) {
    PlainDecimal number;
    p = ScanPlainDecimal(p, limit, number);
    if (p == nullptr) return nullptr;
    // The third number must end the line: then it is the whole of the last field and
    // the line holds exactly two commas (and no NUL byte).
    if (*p != separator && !(separator == '\r' && *p == '\n')) return nullptr;
    text = PrintedRows::PutText(text, [&](char* at) { return PrintPlainDecimal(number, at); });
    ++p;
  }
  if (p[-1] == '\r' && *p == '\n') ++p;
  out = text;
  return p;
}

// A row read the general way, as print texts.
char* PutRow(const PointRow& row, char* out) {
  for (const Coordinate* coordinate : {&row.X, &row.Y, &row.Z}) {
    out = PrintedRows::PutText(out, [&](char* at) {
      if (coordinate->printed.length == 0) return PrintNumberText(coordinate->value, at);
      std::memcpy(at, coordinate->printed.text, coordinate->printed.length);
      return at + coordinate->printed.length;
    });
  }
  return out;
}

}  // namespace

RowStatus ReadPointRows(TextInputFile& points, PrintedRows& rows) {
  return ReadRowBatch(
      points, rows, [] { return true; }, ReadCommonRow,
      [&](char*& out) {
        PointRow row;
        const RowStatus status = ReadPointRow(points, row);
        if (status == RowStatus::Row) out = PutRow(row, out);
        return status;
      });
}

RowStatus ReadPointRow(TextInputFile& points, PointRow& row, FieldReading reading) {
  // Blank lines after the last row end the vertex list as the end of the file does.
  while (!points.AtEnd()) {
    std::string_view line;
    if (const RowStatus read = ReadRowLine(points, line); read != RowStatus::Row) return read;
    switch (ConvertLine(line, reading, row)) {
      case LineKind::Row: return RowStatus::Row;
      case LineKind::Bad: return RowStatus::BadRow;
      case LineKind::NoComma: break;
    }
  }
  return RowStatus::EndOfFile;
}

}  // namespace sorvane

#include "engine/layout_row_reader.h"

#include "engine/dxf_group.h"
#include "runtime/number_text.h"

#include <cstring>
#include <optional>

namespace sorvane {
namespace {

enum class LineKind { Row, Blank, Bad };

struct Fields {
  std::string_view x;
  std::string_view y;
  std::string_view z;
  std::string_view name;
};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

char SeparatorCharacter(Separator separator) {
  switch (separator) {
    case Separator::Tab: return '\t';
    case Separator::Semicolon: return ';';
    case Separator::Comma:
    case Separator::Space: break;
  }
  return ',';
}

// Puts the fields of `line` that hold values into `fields`. Fields after the last one
// that holds a value are not looked at.
LineKind SplitLine(std::string_view line, const PointLayout& layout, Fields& fields) {
  if (std::memchr(line.data(), '\0', line.size()) != nullptr) return LineKind::Bad;  // not text
  if (line.find_first_not_of(" \t") == std::string_view::npos) return LineKind::Blank;
  const bool byBlanks = layout.separator == Separator::Space;
  const char separator = SeparatorCharacter(layout.separator);
  std::size_t at = 0;
  for (int field = 0; field < layout.fieldCount; ++field) {
    std::size_t end = at;
    if (byBlanks) {
      while (at < line.size() && IsBlank(line[at])) ++at;
      if (at == line.size()) return LineKind::Bad;
      end = at;
      while (end < line.size() && !IsBlank(line[end])) ++end;
    } else {
      if (at > line.size()) return LineKind::Bad;  // the line ended a field before
      end = std::min(line.find(separator, at), line.size());
    }
    const std::string_view text = line.substr(at, end - at);
    if (field == layout.x) fields.x = text;
    if (field == layout.y) fields.y = text;
    if (field == layout.z) fields.z = text;
    if (field == layout.name) fields.name = TrimBlanks(text);
    at = end + 1;
  }
  if (layout.name != PointLayout::kNoField && fields.name.empty()) return LineKind::Bad;
  return LineKind::Row;
}

// Writes the print text of `field`, which must be a number as a whole with blanks
// around it allowed, at `out` and returns its end; nullptr when it is no such number.
// A plain decimal is scanned without a test for the end at each byte, so the bytes up
// to `readable` must be there to be read.
char* PrintField(std::string_view field, const char* readable, char* out) {
  field = TrimBlanks(field);
  if (field.empty()) return nullptr;
  PlainDecimal number;
  // The byte after a field is a separator, a blank or a line end, where a plain
  // decimal stops.
  if (ScanPlainDecimal(field.data(), readable, number) == field.data() + field.size()) {
    return PrintPlainDecimal(number, out);
  }
  const std::optional<double> value = StrictConvert(field);
  return value ? PrintNumberText(*value, out) : nullptr;
}

// The print text of the value in `field`, or of 0 for a value the layout has no field for.
char* PrintValue(int column, std::string_view field, const char* readable, char* out) {
  if (column == PointLayout::kNoField) return PrintNumberText(0, out);
  return PrintField(field, readable, out);
}

// Reads lines until one is a row, and finds its fields.
RowStatus NextRow(TextInputFile& points, const PointLayout& layout, Fields& fields) {
  while (!points.AtEnd()) {
    std::string_view line;
    switch (points.ReadLine(line)) {
      case TextInputFile::LineStatus::Read: break;
      case TextInputFile::LineStatus::TooLong: return RowStatus::BadRow;
      case TextInputFile::LineStatus::ReadFailed: return RowStatus::ReadFailed;
    }
    if (points.LineNumber() <= layout.skipLines) continue;
    switch (SplitLine(line, layout, fields)) {
      case LineKind::Row: return RowStatus::Row;
      case LineKind::Bad: return RowStatus::BadRow;
      case LineKind::Blank: break;
    }
  }
  return RowStatus::EndOfFile;
}

bool PrintInto(NumberText& text, int column, std::string_view field, const char* readable) {
  const char* const end = PrintValue(column, field, readable, text.text);
  if (end == nullptr) return false;
  text.length = static_cast<std::uint8_t>(end - text.text);
  return true;
}

}  // namespace

RowStatus ReadLayoutRows(TextInputFile& points, const PointLayout& layout, PrintedRows& rows) {
  while (rows.HasRoomForRow()) {
    Fields fields;
    const RowStatus status = NextRow(points, layout, fields);
    if (status != RowStatus::Row) return status;
    const char* const readable = points.ReadInEnd();
    char* out = rows.RowSpace();
    for (const auto& [column, field] :
         {std::pair{layout.x, fields.x}, {layout.y, fields.y}, {layout.z, fields.z}}) {
      char* const end = PrintValue(column, field, readable, out + 1);
      if (end == nullptr) return RowStatus::BadRow;
      *out = static_cast<char>(end - out - 1);
      out = end;
    }
    rows.CommitRow(out);
  }
  return RowStatus::Row;
}

RowStatus ReadLabelledRow(TextInputFile& points, const PointLayout& layout, LabelledRow& row) {
  Fields fields;
  const RowStatus status = NextRow(points, layout, fields);
  if (status != RowStatus::Row) return status;
  const char* const readable = points.ReadInEnd();
  if (!PrintInto(row.x, layout.x, fields.x, readable) ||
      !PrintInto(row.y, layout.y, fields.y, readable) ||
      !PrintInto(row.z, layout.z, fields.z, readable)) {
    return RowStatus::BadRow;
  }
  row.name = fields.name;
  return RowStatus::Row;
}

}  // namespace sorvane

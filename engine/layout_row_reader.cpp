#include "engine/layout_row_reader.h"

#include "engine/dxf_group.h"
#include "engine/row_batches.h"
#include "runtime/number_text.h"

#include <array>
#include <cstring>
#include <optional>
#include <span>

namespace sorvane {
namespace {

enum class LineKind { Row, Blank, Bad };

struct Fields {
  std::string_view x;
  std::string_view y;
  std::string_view z;
  std::string_view name;
};

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
    // A line that ends before this field has too few.
    if (byBlanks) {
      at = line.find_first_not_of(" \t", at);
      if (at == std::string_view::npos) return LineKind::Bad;
    } else if (at > line.size()) {
      return LineKind::Bad;
    }
    const std::size_t end =
        std::min(byBlanks ? line.find_first_of(" \t", at) : line.find(separator, at), line.size());
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
    if (const RowStatus read = ReadRowLine(points, line); read != RowStatus::Row) return read;
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

// What each field of a row holds, for reading rows of the common form.
enum class Role : std::uint8_t { Skipped, X, Y, Z, Name };

// The commonest form of a row in a layout: plain decimals and a name without blanks
// around them, one separator character between fields, and the line ending after the
// last field that holds a value.
class CommonForm {
 public:
  explicit CommonForm(const PointLayout& layout)
      : count_(layout.fieldCount), separator_(SeparatorCharacter(layout.separator)),
        hasZ_(layout.z != PointLayout::kNoField),
        usable_(layout.separator != Separator::Space && layout.fieldCount <= kMaxFields) {
    if (!usable_) return;
    roles_.fill(Role::Skipped);
    roles_[static_cast<std::size_t>(layout.x)] = Role::X;
    roles_[static_cast<std::size_t>(layout.y)] = Role::Y;
    if (hasZ_) roles_[static_cast<std::size_t>(layout.z)] = Role::Z;
    if (layout.name != PointLayout::kNoField) {
      roles_[static_cast<std::size_t>(layout.name)] = Role::Name;
    }
  }

  bool Usable() const { return usable_; }

  // Reads the line at `line` when it has the common form, puts its texts at `out` and
  // returns the start of the next line; nullptr when the line has another form, which
  // is then read the general way. Reads at most kCommonRowWindow bytes from `line`.
  const char* Read(const char* line, char*& out) const {
    // The last two bytes of the window are left for the line end.
    const char* const limit = line + kCommonRowWindow - 2;
    std::array<PlainDecimal, 3> values;  // X, Y, Z
    const char* p = line;
    for (int field = 0; field < count_; ++field) {
      const Role role = roles_[static_cast<std::size_t>(field)];
      if (role == Role::Skipped || role == Role::Name) {
        const char* const start = p;
        while (p < limit && *p != separator_ && *p != '\r' && *p != '\n' && *p != '\0') ++p;
        if (role == Role::Name && (p == start || IsBlank(*start) || IsBlank(p[-1]))) return nullptr;
      } else {
        p = ScanPlainDecimal(p, limit, values[static_cast<std::size_t>(role) - 1]);
        if (p == nullptr) return nullptr;
      }
      const bool last = field + 1 == count_;
      if (last ? *p != '\r' && *p != '\n' : *p != separator_) return nullptr;
      ++p;
    }
    if (p[-1] == '\r' && *p == '\n') ++p;
    char* text = out;
    for (const PlainDecimal& value : std::span(values).first(hasZ_ ? 3 : 2)) {
      text = PrintedRows::PutText(text, [&](char* at) { return PrintPlainDecimal(value, at); });
    }
    if (!hasZ_) text = PrintedRows::PutText(text, [](char* at) { return PrintNumberText(0, at); });
    out = text;
    return p;
  }

 private:
  // Rows of more fields are read the general way.
  static constexpr int kMaxFields = 8;

  std::array<Role, kMaxFields> roles_{};
  int count_;
  char separator_;
  bool hasZ_;
  bool usable_;
};

// The print texts of a row read the general way, X, Y and Z at `out`; false when a
// value is not a number.
bool PutValues(const Fields& fields, const PointLayout& layout, const char* readable, char*& out) {
  for (const auto& [column, field] :
       {std::pair{layout.x, fields.x}, {layout.y, fields.y}, {layout.z, fields.z}}) {
    char* const end = PrintValue(column, field, readable, out + 1);
    if (end == nullptr) return false;
    *out = static_cast<char>(end - out - 1);
    out = end;
  }
  return true;
}

}  // namespace

RowStatus ReadLayoutRows(TextInputFile& points, const PointLayout& layout, PrintedRows& rows) {
  const CommonForm common(layout);
  return ReadRowBatch(
      points, rows,
      [&] { return common.Usable() && points.LineNumber() >= layout.skipLines; },
      [&](const char* line, char*& out) { return common.Read(line, out); },
      [&](char*& out) {
        Fields fields;
        const RowStatus status = NextRow(points, layout, fields);
        if (status != RowStatus::Row) return status;
        return PutValues(fields, layout, points.ReadInEnd(), out) ? RowStatus::Row
                                                                  : RowStatus::BadRow;
      });
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

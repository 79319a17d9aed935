#pragma once
// Reads the rows of a point file: one point a line, X, Y and Z separated by commas.
// A comma scanner, not a CSV reader: no quoting, no header, no column count check.

#include "engine/printed_rows.h"
#include "runtime/plain_decimal.h"
#include "runtime/text_input_file.h"

#include <cstdint>

namespace sorvane {

// One value of a row. When its field was a plain decimal, the reader keeps the text the
// writer is to print for it, which saves formatting the double; otherwise `printed` is
// empty and the writer prints `value`. Either way the bytes are the same.
struct Coordinate {
  double value = 0;
  NumberText printed;
};

struct PointRow {
  Coordinate X;
  Coordinate Y;
  Coordinate Z;
};

// Fast takes plain decimal fields straight from their text; Reference reads every
// field by Val or the strict conversion alone, the plain path the fast one must match.
enum class FieldReading { Fast, Reference };

enum class RowStatus {
  Row,         // `row` holds the next point
  EndOfFile,   // only lines without a comma were left
  BadRow,      // the line at LineNumber() cannot be read as a row
  ReadFailed,  // reading the file failed
};

// Reads lines until one holds a comma and converts it. Lines without a comma (blank
// lines, titles) are skipped. Precondition: the file is not at its end.
//
// X is the text before the first comma, Y the text up to the second, both read by Val.
// With three or more commas, Z is Val of the text between the second and the last
// comma (in effect the number the third field begins with); with exactly two, Z is the
// whole rest of the line, which must be a number as a whole (the strict conversion).
// A line with one comma, a last field that is not a number, a number beyond the range
// of a double, a line too long, or a NUL byte (the file is not text) is a bad row.
[[nodiscard]] RowStatus ReadPointRow(TextInputFile& points, PointRow& row,
                                     FieldReading reading = FieldReading::Fast);

// Reads the next rows, as ReadPointRow reads them, into `rows` as their print texts,
// until `rows` is full or a row cannot be read. Returns Row when it is full (the file
// may or may not hold more), otherwise what stopped the reading after the rows put.
// Lines of the commonest form, three plain decimals, are taken in one pass.
[[nodiscard]] RowStatus ReadPointRows(TextInputFile& points, PrintedRows& rows);

}  // namespace sorvane

#pragma once
// Reads the rows of a point file by a layout the user gave (point_layout.h), strictly:
// a row that does not fit the layout ends the conversion with its line number rather
// than put a wrong point in the drawing.

#include "engine/point_layout.h"
#include "engine/point_row_reader.h"
#include "engine/printed_rows.h"
#include "runtime/plain_decimal.h"
#include "runtime/text_input_file.h"

#include <string_view>

namespace sorvane {

// One row with its name, for the drawing's labels.
struct LabelledRow {
  NumberText x;
  NumberText y;
  NumberText z;
  std::string_view name;  // blanks around it taken off; valid until the next read
};

// Reads the next rows into `rows` as their print texts, X, Y and Z in the drawing's
// order, until `rows` is full or a row cannot be read; returns as ReadPointRows does.
// The first layout.skipLines lines of the file are not read as rows, and blank lines
// (nothing but blanks and tabs) are skipped. A row is bad when it has fewer fields
// than layout.fieldCount, a field of X, Y or Z is not a number as a whole (blanks
// around it allowed) or is beyond the range of a double, its name field is blank, or
// the line is too long or holds a NUL byte. Z is 0 when the layout has none.
[[nodiscard]] RowStatus ReadLayoutRows(TextInputFile& points, const PointLayout& layout,
                                       PrintedRows& rows);

// Reads the next row as ReadLayoutRows reads it, with its name (empty when the layout
// has none). EndOfFile when no row is left.
[[nodiscard]] RowStatus ReadLabelledRow(TextInputFile& points, const PointLayout& layout,
                                        LabelledRow& row);

}  // namespace sorvane
